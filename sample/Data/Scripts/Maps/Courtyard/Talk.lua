-- Quillmere sample game: Data/Scripts/Maps/Courtyard/Talk.lua, the keeper's conversation.
--
-- It runs with script code -100 each time the conversation moves on. GetLastChatResponse() says
-- why: -2 when the keeper was clicked, otherwise the code of the response the player picked. A
-- response of code -3 closes the window without running this script.
local answer = GetLastChatResponse()
io.stderr:write("Talk.lua: the keeper hears ", answer, "\n")

local GOODBYE = -3
local function Say(...)
  ClearDialogue()
  local line = 0
  for _, text in ipairs({...}) do
    line = SetDialogueLineIncr(line, text)
  end
  return line
end

if answer == -2 then
  GUI_SetActiveObjectAndListFromBase("DialogueManager")
  GUIG_Show()
  SetPortrait("Neutral")
  local name = Global_GetScriptVariableA("PlayerName")
  local line = Say("Keeper: Welcome to the old courtyard, " .. name .. "!", "~BLANK")
  line = SetDialogueResponseIncr(line, "What is this place?", 1)
  line = SetDialogueResponseIncr(line, "Where does the road lead?", 2)
  line = SetDialogueResponseIncr(line, "Any work for me?", 3)
  SetDialogueResponse(line, "Goodbye.", GOODBYE)
elseif answer == 1 then
  local line = Say("Keeper: This was the keep's courtyard.",
                   "Only the tower still stands; I keep the grass",
                   "short and the pond clear.", "~BLANK")
  line = SetDialogueResponseIncr(line, "Where does the road lead?", 2)
  SetDialogueResponse(line, "Goodbye.", GOODBYE)
elseif answer == 2 then
  local line = Say("Keeper: East, to the meadow. Its south path",
                   "leads to the grove, its east edge to the ridge.",
                   "Mind the slime under the big tree!", "~BLANK")
  SetDialogueResponse(line, "Thank you. Goodbye.", GOODBYE)
elseif answer == 3 then
  local line = Say("Keeper: The gnatlings are back on the lawn!",
                   "Hold the mouse button to shoot where it points,",
                   "the arrows move you. Ten seconds, mind.", "~BLANK")
  line = SetDialogueResponseIncr(line, "Let me at them!", 4)
  SetDialogueResponse(line, "Not now. Goodbye.", GOODBYE)
elseif answer == 4 then
  GUI_SetActiveObjectAndListFromBase("DialogueManager")
  GUIG_Hide()
  LM_ExecuteScript(Path_GetPath("MapScripts") .. "Courtyard/Gnats.lua")
end
