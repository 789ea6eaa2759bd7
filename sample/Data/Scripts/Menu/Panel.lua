-- Quillmere sample game: the menu's "Panel" button shows the panel again.
GUI_SetActiveObjectAndListFromBase("Panel")
GUIG_Show()
if Global_GetScriptVariableI("ButtonBlips") == 1 then MM_PlaySound("Blip") end
