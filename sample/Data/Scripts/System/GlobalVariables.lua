-- Quillmere sample game: Data/Scripts/System/GlobalVariables.lua, the second system script.
--
-- Global script variables are kept for the whole run and every script can read and change them:
-- a number (the "I" functions) or a text (the "A" functions) under a name. Reading a name that
-- was never added gives -100 for a number and nil for a text, without a log line.

Global_AddScriptVariableA("PlayerName", "Wren")
Global_AddScriptVariableI("Gold", 0)
Global_AddScriptVariableI("QuestStage", 0)
-- The room the hero is in, which each map's script sets as it loads: the doors between the
-- rooms (ScriptExecution.lua) act only in their own room.
Global_AddScriptVariableA("Room", "Courtyard")
-- A setting of the menu's check box: 1 while the menu's buttons blip.
Global_AddScriptVariableI("ButtonBlips", 1)

-- Later, for example in a quest script:
--   Global_SetScriptVariableI("Gold", Global_GetScriptVariableI("Gold") + 10)
