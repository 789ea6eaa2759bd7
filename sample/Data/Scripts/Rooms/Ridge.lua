-- Quillmere sample game: the ridge, reached from the meadow's east edge and from the cave.
--
-- Rooms are clip maps: "MAPNONE" is a map that scripts build, one byte per world pixel, 0 free
-- and 1 clipped (solid). In the side view (game mode 2) the player walks along x with z downwards,
-- and the clip map's rows are its z: it stands on clipped cells and walls stop it. Cells outside
-- the map are solid too. A map change loads a fresh, empty clip map; triggers stay.
io.stderr:write("Sample: the ridge\n")
MapM_TransitionMap("MAPNONE")
-- A clip map runs no map script: the room's name is set here.
Global_SetScriptVariableA("Room", "Ridge")
DefinedMap_SetDimensions(800, 600)
DefinedMap_ClipArea(1, 0, 520, 800, 600)   -- the ground
DefinedMap_ClipArea(1, 330, 480, 390, 520) -- a rock to jump over
DefinedMap_ClipArea(1, 560, 500, 600, 520) -- and a smaller one

-- The player's box is 18 pixels wide around XPos + 48 and 28 high above ZPos: standing on the
-- ground means ZPos 519.
Player_SetGameMode(2)
Player_SetPosition(60, 0, 519)

-- Its doors (ScriptExecution.lua): the cave at the right edge, the meadow at the left. A door
-- is a rectangle in world x and y; in the side view the player's box's y is always 62 to 82.
