-- Quillmere sample game: Data/Scripts/Maps/Meadow.lua, the map script of the level "Meadow".
--
-- A map's script is named after the map and lies in the "MapScripts" folder; it runs each time the
-- map loads. The level itself is Data/Maps/Meadow.plf ("Maps" folder), written at build time from
-- the three pictures in the sample's levels/ folder: the colours, the parts that block the way
-- (the pond and the wall) and the tree crowns drawn above the actors. GetScriptCode() is -2 for a
-- chunked level. The "Default" camera takes the level's size after this script, whatever it sets.
io.stderr:write("Meadow.lua: entering the meadow (script code ", GetScriptCode(), ")\n")
Global_SetScriptVariableA("Room", "Meadow")
