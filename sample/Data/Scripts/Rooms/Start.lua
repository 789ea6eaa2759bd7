-- Quillmere sample game: run on the first tick, in the courtyard (the isometric first map).
--
-- The way through the sample: the courtyard (isometric, game mode 1), the meadow (a chunked
-- level, where the map puts the player in the default scheme, mode 0, every tick), from there the
-- grove (another chunked level) and the ridge and the cave (clip maps in the side view, mode 2).
-- The doors between them are rectangular triggers (ScriptExecution.lua): each door's script
-- loads the next map and places the player.
io.stderr:write("Sample: the courtyard\n")

-- The courtyard's cells are 32 world units on a side; z grows downwards, and z from 0 to -31 is
-- the ground layer's blocks. The player walks in the layer above, on top of the ground: z -32.
-- Its box's centre is (XPos + 48, YPos + 75), here in the open cell east of the pond.
Player_SetPosition(96, 96, -32)
