-- Quillmere sample game: back into the courtyard from the meadow's west edge. The courtyard is
-- isometric: the hero walks in game mode 1 again, on top of the ground layer (z -32).
io.stderr:write("Sample: the courtyard\n")
MapM_TransitionMap("Courtyard")
Player_SetGameMode(1)
Player_SetPosition(96, 96, -32)
