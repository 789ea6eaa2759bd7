-- Quillmere sample game: Data/Scripts/Maps/Courtyard.lua, the script of the isometric map
-- Courtyard, the game's first map.
--
-- A map's script runs each time the map loads, after its blocks and textures are in place
-- (GetScriptCode() is -1 for an isometric map). The first map's script alone may also set where
-- the player starts (MapM_SetDefaultPosition, in world units; z is 0, the top of the ground layer).
io.stderr:write("Courtyard.lua: entering the courtyard (script code ", GetScriptCode(), ")\n")
MapM_SetDefaultPosition(96, 96)

-- MapM_TransitionMap("name") unloads this map and loads another at once; MapM_SetMapLoadTarget
-- ("name") only names the map that the next load takes. From here the way leads to the chunked
-- level Meadow:
--   MapM_TransitionMap("Meadow")
-- Scripts that run later (a trigger's, an NPC's) call it; calling it here would leave the
-- courtyard as soon as it arrived.

-- The courtyard's keeper, who talks when clicked (Courtyard/Keeper.lua).
LM_ExecuteScript(Path_GetPath("MapScripts") .. "Courtyard/Keeper.lua")
