-- Quillmere sample game: the menu's music buttons. The script code says which: 1 plays the theme,
-- 2 the chime (both from their start), 0 turns both down to silence.
local code = GetScriptCode()
if code == 1 then
  SetActiveSong("Theme")
  PlayActiveSong()
elseif code == 2 then
  SetActiveSong("Chime")
  PlayActiveSong()
else
  MM_EditMusic("Theme", 0, 0)
  MM_EditMusic("Chime", 0, 0)
end
if Global_GetScriptVariableI("ButtonBlips") == 1 then MM_PlaySound("Blip") end
