-- Quillmere sample game: the ridge, reached from the meadow.
--
-- Rooms are clip maps: "MAPNONE" is a map that scripts build, one byte per world pixel, 0 free
-- and 1 clipped (solid). In the side view (game mode 2) the player walks along x with z downwards,
-- and the clip map's rows are its z: it stands on clipped cells and walls stop it. Cells outside
-- the map are solid too. A map change loads a fresh, empty clip map; triggers stay.
io.stderr:write("Sample: the ridge\n")
MapM_TransitionMap("MAPNONE")
DefinedMap_SetDimensions(800, 600)
DefinedMap_ClipArea(1, 0, 520, 800, 600)   -- the ground
DefinedMap_ClipArea(1, 330, 480, 390, 520) -- a rock to jump over
DefinedMap_ClipArea(1, 560, 500, 600, 520) -- and a smaller one

-- The player's box is 18 pixels wide around XPos + 48 and 28 high above ZPos: standing on the
-- ground means ZPos 519.
Player_SetGameMode(2)
Player_SetPosition(60, 0, 519)

-- The way on, at the right edge: a rectangle in world x and y that fires once as the player's box
-- enters it (in the side view the box's y is always 62 to 82), and loads the cave.
AddRectangularTrigger("ToCave", 740, 0, 800, 600)
SetTriggerProperties(Path_GetPath("Rooms") .. "Cave.lua", 2, 0, 1, 0)
