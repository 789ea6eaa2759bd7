-- Quillmere sample game: the menu's check box. Its script code is the new setting: 1 when it
-- becomes checked, 0 when it becomes unchecked.
Global_SetScriptVariableI("ButtonBlips", GetScriptCode())
