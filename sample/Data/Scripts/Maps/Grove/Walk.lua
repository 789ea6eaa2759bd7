-- A villager's default script: it runs while the villager's queue is empty, with the villager as
-- the active NPC, and queues the next leg of its round and a short rest.
local round = GroveRounds[NPC_GetScriptVariableI("Round")]
local leg = NPC_GetScriptVariableI("Leg")
local point = round[leg % #round + 1]
NPC_SetScriptVariableI("Leg", leg + 1)
NPC_PushAI("Leg", -1, "Basic Pathing", "St|Idle", "St|Moving", point[1], point[2])
-- Forty ticks on the first frame, facing where it went (-1 keeps the facing).
NPC_PushAI("Rest", 40, "Force Frame", 0, -1)
