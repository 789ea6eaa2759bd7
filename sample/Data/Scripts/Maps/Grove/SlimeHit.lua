-- The slime's hit-reaction script, with the slime as the active NPC and the bolt's id as the
-- script code. Health is the scripts' business: the slime shrugs off every fourth hit.
local health = PM_GetValue("NPC", "", "Health") - 8
if health <= 0 then health = 32 end
PM_SetValue(health, "NPC", "", "Health")
io.stderr:write("Grove: the slime is hit by bolt ", GetScriptCode(), " (health ", health, ")\n")
