-- Quillmere sample game: Paths.lua, the first of the five start-up scripts.
--
-- The program runs its start-up scripts from the game's folder (the working directory), in this
-- order: Paths.lua, Configuration.lua, then the three system scripts under Data/Scripts/System/
-- (Loading/Routing.lua, GlobalVariables.lua, ScriptExecution.lua). A script that is missing or
-- fails is logged and start-up goes on.
--
-- This one runs as soon as the path manager exists, before most other managers: the image
-- container, keyboard and timer functions do not exist yet, and the music functions only log
-- "manager not created". Its job is to name the game's folders.
--
-- A path key names a folder prefix. The prefix is put in front of a file name as it is, so it
-- ends with "/". Paths are relative to the game's folder. Other scripts ask for a prefix with
-- Path_GetPath(key) instead of spelling folders out, so the folders can move by editing only this
-- file.

-- Read by the map manager: maps and the scripts that go with them.
Path_AddPath("Maps", "Data/Maps/")
Path_AddPath("MapScripts", "Data/Scripts/Maps/")

-- Read by the sample's own scripts: the image container, the font, the music and the sounds.
Path_AddPath("Images", "Data/")
Path_AddPath("Fonts", "Data/Fonts/")
Path_AddPath("Music", "Data/Music/")
Path_AddPath("Sounds", "Data/Sounds/")
-- The scripts that the menu's buttons and check box run.
Path_AddPath("MenuScripts", "Data/Scripts/Menu/")
-- The rooms of the sample (clip maps its scripts build) and their trigger scripts.
Path_AddPath("Rooms", "Data/Scripts/Rooms/")
