-- Quillmere sample game: the last system script.
--
-- The play-time counter goes up by one every game tick (60 per second).
TimerManager_AddTimer("PlayTime", 0)

-- The theme plays from the start and loops; the blip sounds once to say the game is ready.
LoadSong("Theme", Path_GetPath("Music") .. "Theme.wav")
MM_EditMusic("Theme", 0.35, 1)
PlayActiveSong()
MM_LoadSound("Blip", Path_GetPath("Sounds") .. "Blip.wav")
MM_PlaySound("Blip")
