-- Quillmere sample game: from the courtyard into the meadow, the chunked level.
--
-- The map changes at once, inside the trigger walk; the walk goes on. The meadow's own script
-- (Data/Scripts/Maps/Meadow.lua) runs during the load. On a chunked level the cell test answers
-- 1 where the way is free (the pond and the wall block it) and the floor is z 0.
io.stderr:write("Sample: the meadow\n")
MapM_TransitionMap("Meadow")
Player_SetPosition(100, 200, 0)

-- The meadow's east edge leads to the ridge.
AddRectangularTrigger("ToRidge", 700, 0, 768, 512)
SetTriggerProperties(Path_GetPath("Rooms") .. "Ridge.lua", 2, 0, 1, 0)
