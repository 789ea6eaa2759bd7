-- Quillmere sample game: run every tick by the "Body" trigger (ScriptExecution.lua), after the
-- player has moved. Where the player's sprite cannot show the hero on its position (every map but
-- the isometric courtyard), the player draws nothing and two static animations stand in: the body
-- with its feet on the centre of the player's box, and on the floor's levels its shadow on the
-- ground, which stays there while the hero jumps. In the side view z is the height on the screen.
local room = Global_GetScriptVariableA("Room")
local sideView = room == "Ridge" or room == "Cave"
local x, y, z = PM_GetValue("Player", "", "XCenter"), PM_GetValue("Player", "", "YCenter"),
                PM_GetValue("Player", "", "ZCenter")
local bodyX, bodyY, shadowY = -1000, -1000, -1000
if room ~= "Courtyard" then
  bodyX = x
  if sideView then
    bodyY = z
  else
    bodyY, shadowY = y + z, y
  end
end

if (room == "Courtyard") ~= BodyOnCourtyard then
  BodyOnCourtyard = room == "Courtyard"
  AIM_SetActiveAIObject("DrawingList", "Player", "", "AIDrawingList")
  AIDL_SwitchAI("Body", BodyOnCourtyard and "HeroBody" or "HeroHidden")
end
OBJM_SetActiveObject("HeroStandIn")
OBJ_SetCoordinates(bodyX, bodyY, 0)
OBJM_SetActiveObject("HeroShadow")
OBJ_SetCoordinates(bodyX, shadowY, 0)
