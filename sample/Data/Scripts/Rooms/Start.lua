-- Quillmere sample game: run on the first tick, in the courtyard (the isometric first map).
--
-- The way through the sample: the courtyard (isometric, game mode 1), the meadow (a chunked
-- level, where the map puts the player in the default scheme, mode 0, every tick), then the
-- ridge and the cave (clip maps in the side view, mode 2). Each way on is a rectangular
-- trigger that fires once as the player's box enters it; its script loads the next map, places
-- the player and sets up the next way on. Triggers outlive map changes, so each is added only
-- when its map is entered.
io.stderr:write("Sample: the courtyard\n")

-- The courtyard's cells are 32 world units on a side; z grows downwards, and z from 0 to -31 is
-- the ground layer's blocks. The player walks in the layer above, on top of the ground: z -32.
-- Its box's centre is (XPos + 48, YPos + 75), here in the open cell east of the pond.
Player_SetPosition(96, 96, -32)

-- East of the start, before the raised lawn: the way to the meadow. In the isometric view
-- "Right" and "Down" held together walk east (+x).
AddRectangularTrigger("ToMeadow", 180, 150, 256, 200)
SetTriggerProperties(Path_GetPath("Rooms") .. "ToMeadow.lua", 1, 0, 1, 0)
