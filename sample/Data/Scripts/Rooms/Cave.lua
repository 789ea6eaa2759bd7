-- Quillmere sample game: the cave, behind the ridge. It is loaded by the ridge's door, from inside
-- the trigger walk: the map changes at once and the walk goes on. Its door at the left edge leads
-- back to the ridge. No scenery here: the cave is dark behind its floor, ceiling and stalagmites
-- (Scenery.lua); the ridge turns the hillside on again.
io.stderr:write("Sample: the cave\n")
MapM_TransitionMap("MAPNONE")
MapM_SetBackgroundDisplayState(0)
Global_SetScriptVariableA("Room", "Cave")
DefinedMap_SetDimensions(800, 600)
LM_ExecuteScript(Path_GetPath("Rooms") .. "Scenery.lua")
PlaceGround("CaveFloor", "cavefloor", 0, 520, 800, 600)
PlaceGround("CaveCeiling", "caveceiling", 0, 0, 800, 380) -- low: a double jump bumps into it
PlaceGround("Stalagmite", "stalagmitea", 250, 470, 290, 520)
PlaceGround("TallStalagmite", "stalagmiteb", 450, 440, 500, 520)

Player_SetPosition(20, 0, 519)
