-- Quillmere sample game: the cave, the second room. It is loaded by the ridge's trigger, from
-- inside the trigger walk: the map changes at once and the walk goes on.
io.stderr:write("Sample: the cave\n")
MapM_TransitionMap("MAPNONE")
DefinedMap_SetDimensions(800, 600)
DefinedMap_ClipArea(1, 0, 520, 800, 600)   -- the floor
DefinedMap_ClipArea(1, 0, 0, 800, 380)     -- a low ceiling: a double jump bumps into it
DefinedMap_ClipArea(1, 250, 470, 290, 520) -- a stalagmite
DefinedMap_ClipArea(1, 450, 440, 500, 520) -- a taller one

Player_SetPosition(20, 0, 519)

-- Back to the ridge at the left edge, once the player has walked out of it and returns.
AddRectangularTrigger("ToRidge", 0, 0, 40, 600)
SetTriggerProperties(Path_GetPath("Rooms") .. "Ridge.lua", 3, 0, 1, 0)
