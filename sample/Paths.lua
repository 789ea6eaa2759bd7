-- Quillmere sample game: the first start-up script.
--
-- It runs right after the path manager's place in the start-up sequence, with no script base
-- path, so every later start-up script is looked up relative to the game's folder (this one).
-- Folder prefixes for maps, map scripts and images are named here.

Path_AddPath("Maps", "Data/Maps/")
Path_AddPath("MapScripts", "Data/Scripts/Maps/")
Path_AddPath("Images", "Data/")
Path_AddPath("Fonts", "Data/Fonts/")
