-- Quillmere sample game: the variables every script can read, kept for the whole run.

Global_AddScriptVariableA("PlayerName", "Wren")
Global_AddScriptVariableI("Gold", 0)
Global_AddScriptVariableI("QuestStage", 0)
