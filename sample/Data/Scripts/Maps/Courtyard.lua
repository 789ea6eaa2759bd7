-- Quillmere sample game: Data/Scripts/Maps/Courtyard.lua, the script of the isometric map Courtyard.
--
-- A map's script runs each time the map loads, after its blocks and textures are in place. This
-- is where a map places what lives on it. The first map's script alone may also set where the
-- player starts (MapM_SetDefaultPosition, in world units; z is 0, the top of the ground layer).
MapM_SetDefaultPosition(96, 96)

-- MapM_TransitionMap("name") unloads this map and loads another at once; MapM_SetMapLoadTarget
-- ("name") only names the map that the next load takes. Here the next map is the script-built
-- clip map:
--   MapM_TransitionMap("MAPNONE")
-- Scripts that run later (a trigger's, an NPC's) call it; calling it here would leave Courtyard as
-- soon as it arrived.
