-- Quillmere sample game: the buttons that open and close windows. The script code says which:
-- 1 the menu, 2 the help panel, 3 the gallery (the meadow picture, its banner and the portrait),
-- 4 the extras. GUIG_Flip shows a hidden window and hides a shown one.
local windows = {{"Menu"}, {"Panel"}, {"Meadow", "Banner", "Portrait"}, {"Extras"}}
for _, name in ipairs(windows[GetScriptCode()] or {}) do
  GUI_SetActiveObjectAndListFromBase(name)
  GUIG_Flip()
end
if Global_GetScriptVariableI("ButtonBlips") == 1 then MM_PlaySound("Blip") end
