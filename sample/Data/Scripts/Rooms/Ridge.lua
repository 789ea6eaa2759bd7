-- Quillmere sample game: the ridge, reached from the meadow's east edge and from the cave.
--
-- Rooms are clip maps: "MAPNONE" is a map that scripts build, one byte per world pixel, 0 free
-- and 1 clipped (solid). In the side view (game mode 2) the player walks along x with z downwards,
-- and the clip map's rows are its z: it stands on clipped cells and walls stop it. Cells outside
-- the map are solid too. A map change loads a fresh, empty clip map; triggers stay. A clip map
-- draws nothing: the hillside's scenery shows behind it, its ground (y 540 on) is where the ridge
-- clips its ground, and NPCs show its rocks (Scenery.lua).
io.stderr:write("Sample: the ridge\n")
MapM_TransitionMap("MAPNONE")
MapM_SetBackgroundDisplayState(1)
-- A clip map runs no map script: the room's name is set here.
Global_SetScriptVariableA("Room", "Ridge")
DefinedMap_SetDimensions(800, 600)
DefinedMap_ClipArea(1, 0, 540, 800, 600)   -- the ground, the scenery's grass and earth
LM_ExecuteScript(Path_GetPath("Rooms") .. "Scenery.lua")
PlaceGround("BigRock", "rockbig", 330, 500, 390, 540)     -- a rock to jump over
PlaceGround("SmallRock", "rocksmall", 560, 520, 600, 540) -- and a smaller one

-- The player's box is 18 pixels wide around XPos + 48 and 28 high above ZPos: standing on the
-- ground means ZPos 539.
Player_SetGameMode(2)
Player_SetPosition(60, 0, 539)

-- Its doors (ScriptExecution.lua): the cave at the right edge, the meadow at the left. A door
-- is a rectangle in world x and y; in the side view the player's box's y is always 62 to 82.
