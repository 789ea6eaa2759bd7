-- Quillmere sample game: the cave, behind the ridge. It is loaded by the ridge's door, from inside
-- the trigger walk: the map changes at once and the walk goes on. Its door at the left edge leads
-- back to the ridge.
io.stderr:write("Sample: the cave\n")
MapM_TransitionMap("MAPNONE")
Global_SetScriptVariableA("Room", "Cave")
DefinedMap_SetDimensions(800, 600)
DefinedMap_ClipArea(1, 0, 520, 800, 600)   -- the floor
DefinedMap_ClipArea(1, 0, 0, 800, 380)     -- a low ceiling: a double jump bumps into it
DefinedMap_ClipArea(1, 250, 470, 290, 520) -- a stalagmite
DefinedMap_ClipArea(1, 450, 440, 500, 520) -- a taller one

Player_SetPosition(20, 0, 519)
