-- Quillmere sample game: run by the "Hop" property trigger each time the player jumps. In the
-- grove the hero throws a bolt the way it faces: a simple projectile of target list 0, which hits
-- enemies (the slime's hit-reaction script logs each hit) and is gone once it leaves the view.
MM_PlaySound("Blip")
Global_SetScriptVariableI("Jumps", Global_GetScriptVariableI("Jumps") + 1)
if Global_GetScriptVariableA("Room") ~= "Grove" then return end

-- Facings 0 to 7 run clockwise from up; y grows downwards.
local ways = {[0] = {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}}
local way = ways[PM_GetValue("Player", "", "Direction") % 8]
local x, y = PM_GetValue("Player", "", "XCenter"), PM_GetValue("Player", "", "YCenter")
OBJM_CreateObject("Bolt", "SimpleProjectile", 4 * way[1], 4 * way[2], 0)
OBJPB_SetCoordinateData(x + 16 * way[1], y + 16 * way[2], 0, 10, 10, 4)
OBJPB_SetDisplayData("BoltFlight", "Bolt", 0, 0, 0)
-- The box flies on the ground, where the slime's box is; the picture at the hero's hand, 14 above.
OBJPB_SetDrawingOffset(0, -14)
OBJPB_SetTargetFlags(1)
OBJPB_SetDamageOutput(8)
