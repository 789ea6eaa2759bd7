-- Quillmere sample game: into the grove, from the meadow's south path or the menu's "Grove"
-- button. The hero comes in at the west end of the slime's beat, facing east (direction 2), so
-- that a jump throws a bolt along it (Hop.lua).
io.stderr:write("Sample: the grove\n")
MapM_TransitionMap("Grove")
-- From the cave, whose darkness turned the scenery off.
MapM_SetBackgroundDisplayState(1)
Player_SetPosition(32, 375, 0)
PM_SetValue(2, "Player", "", "Direction")
