-- Quillmere sample game: run by every door (ScriptExecution.lua) with the door's number as the
-- script code. A door acts only in its own room; its script loads the next map and places the
-- hero, with the door's "from" as its script code.
local door = Doors[GetScriptCode()]
if door and door.room == Global_GetScriptVariableA("Room") then
  LM_ExecuteScript(Path_GetPath("Rooms") .. door.to, door.from)
end
