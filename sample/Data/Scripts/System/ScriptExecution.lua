-- Quillmere sample game: Data/Scripts/System/ScriptExecution.lua, the last system script.
--
-- The last start-up script: the game loop starts right after it.

-- A timer counts game ticks (60 per second) from the value it is given. A script can read it with
-- TimerManager_GetTimer("PlayTime").
TimerManager_AddTimer("PlayTime", 0)

-- Music. LoadSong loads a file under a name and makes it the active song; MM_EditMusic sets a
-- song's volume and, with a loop argument of 1, makes it loop; PlayActiveSong plays the active
-- song from its start, always at volume 0.35. The build writes Theme.wav; WAV, FLAC, Ogg Vorbis,
-- Opus, VOC, MOD and S3M files play (MP3 does not). Without a sound device the calls still
-- succeed and nothing is heard.
LoadSong("Theme", Path_GetPath("Music") .. "Theme.wav")
MM_EditMusic("Theme", 0.35, 1)
PlayActiveSong()

-- Sounds are kept apart from songs: MM_LoadSound loads one under a name (and logs that it did),
-- MM_PlaySound plays it from its start, even while it is still playing. The blip sounds once to
-- say the game is ready; nothing can play a sound on a key press yet.
MM_LoadSound("Blip", Path_GetPath("Sounds") .. "Blip.wav")
MM_PlaySound("Blip")

-- The first map loads right after this script: the name set here, "TolvaCube" when none is set.
-- "MAPNONE" is a clip map that scripts build; other names load "<name>.slf" or "<name>.plf" from
-- the "Maps" folder and run "<name>.lua" from the "MapScripts" folder (see Paths.lua). Meadow is
-- an isometric map that the build writes from sample/maps/Meadow.map; its script,
-- Data/Scripts/Maps/Meadow.lua, shows how a map leads on to the next.
MapM_SetMapLoadTarget("Meadow")
