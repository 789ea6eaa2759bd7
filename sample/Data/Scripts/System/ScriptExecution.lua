-- Quillmere sample game: the last system script.
--
-- The play-time counter goes up by one every game tick (60 per second).
TimerManager_AddTimer("PlayTime", 0)
