-- Quillmere sample game: run every tick while the courtyard is loaded. Ten seconds (600 ticks)
-- into a round of the gnatling game it switches the mini-game off and puts the hero back where
-- it started, walking the isometric way again. Without a round the timer reads -700.
if TimerManager_GetTimer("GnatRound") < 600 then return end
TimerManager_DelTimer("GnatRound")
SMM_SetActivity(0)
Player_SetGameMode(1)
Player_SetPosition(96, 96, -32)
io.stderr:write("Sample: the gnatlings are gone\n")
