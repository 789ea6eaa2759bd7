-- Quillmere sample game: run by every door (ScriptExecution.lua) with the door's number as the
-- script code. A door acts only in its own room; its script loads the next map and places the
-- hero, with the door's "from" as its script code.
local door = Doors[GetScriptCode()]
if door and door.room == Global_GetScriptVariableA("Room") then
  -- Objects last the whole game: the grove's gem is put out of sight while the hero is elsewhere
  -- (Grove.lua lays it in the furrow again), and stopped, so that it probes no other map.
  if door.room == "Grove" then
    OBJM_SetActiveObject("GroveGem")
    OBJ_SetCoordinates(-1000, -1000, 0)
    for _, speed in ipairs({"XSpeed", "YSpeed", "ZSpeed"}) do
      PM_SetValue(0, "Object", "", speed)
    end
  end
  LM_ExecuteScript(Path_GetPath("Rooms") .. door.to, door.from)
end
