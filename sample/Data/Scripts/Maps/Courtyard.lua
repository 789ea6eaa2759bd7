-- Quillmere sample game: Data/Scripts/Maps/Courtyard.lua, the script of the isometric map
-- Courtyard, the game's first map.
--
-- A map's script runs each time the map loads, after its blocks and textures are in place
-- (GetScriptCode() is -1 for an isometric map). The first map's script alone may also set where
-- the player starts (MapM_SetDefaultPosition, in world units; z is 0, the top of the ground layer).
io.stderr:write("Courtyard.lua: entering the courtyard (script code ", GetScriptCode(), ")\n")
MapM_SetDefaultPosition(96, 96)

-- Which room the hero is in, for the doors (ScriptExecution.lua) and the hero's bolts (Hop.lua).
Global_SetScriptVariableA("Room", "Courtyard")

-- The courtyard's keeper, who talks when clicked (Courtyard/Keeper.lua).
LM_ExecuteScript(Path_GetPath("MapScripts") .. "Courtyard/Keeper.lua")

-- A floating package runs its script on every tick while this map is loaded (each map load
-- removes them): the clock of the keeper's gnatling game (Courtyard/Gnats.lua).
AIM_CreateObject("GnatClock", "FloatingAIPackageList", "AIAutoScript",
                 Path_GetPath("MapScripts") .. "Courtyard/GnatClock.lua", 0)
