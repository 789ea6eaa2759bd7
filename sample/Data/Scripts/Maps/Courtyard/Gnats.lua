-- Quillmere sample game: a round of the keeper's gnatling game (Talk.lua starts it).
--
-- The shooter mini-game plays in window pixels: the gnatlings fly about and bounce off the
-- window's edges, and in game mode 3 the hero moves with the arrows and fires at the mouse
-- pointer while a mouse button is held. Nothing removes a gnatling, so they come once and rest,
-- not drawn, while the game is off. GnatClock.lua ends the round after ten seconds.
io.stderr:write("Sample: the gnatlings come\n")
if not GnatlingsCame then
  GnatlingsCame = true
  for i = 1, 4 do
    SE_SpawnGnatling(120 + 140 * i, 80 + 40 * i)
  end
end
SMM_SetActivity(1)
Player_SetGameMode(3)
-- The hero's x and z are window pixels now; at y 0 its box lies north of the courtyard's door.
Player_SetPosition(352, 0, 440)
TimerManager_AddTimer("GnatRound", 0)
