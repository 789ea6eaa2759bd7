-- Quillmere sample game: run by the "Hop" property trigger each time the player jumps.
MM_PlaySound("Blip")
Global_SetScriptVariableI("Jumps", Global_GetScriptVariableI("Jumps") + 1)
