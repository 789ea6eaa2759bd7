-- The slime's default script: to the right end of its beat, then back.
local leg = NPC_GetScriptVariableI("Leg")
NPC_SetScriptVariableI("Leg", leg + 1)
NPC_PushAI("Beat", -1, "Basic Pathing", "St|Idle", "St|Moving", leg % 2 == 0 and 400 or 160, 450)
