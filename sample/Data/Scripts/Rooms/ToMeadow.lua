-- Quillmere sample game: into the meadow, the chunked level. The script code says from where:
-- 1 the courtyard (the hero comes in on the path at the west), 2 the grove (on the path at the
-- south), 3 the ridge (at the east).
--
-- The map changes at once, inside the trigger walk; the walk goes on. The meadow's own script
-- (Data/Scripts/Maps/Meadow.lua) runs during the load. On a chunked level the cell test answers
-- 1 where the way is free (the pond and the wall block it), the floor is z 0, and the map puts
-- the hero in the default scheme every tick.
local from = GetScriptCode()
io.stderr:write("Sample: the meadow\n")
MapM_TransitionMap("Meadow")
if from == 2 then
  Player_SetPosition(332, 385, 0)
elseif from == 3 then
  Player_SetPosition(612, 185, 0)
else
  Player_SetPosition(100, 200, 0)
end
