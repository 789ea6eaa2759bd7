-- Quillmere sample game: Data/Scripts/Maps/Hillside.lua, the hillside's scenery.
--
-- Background scenery is drawn behind the map into the camera's view each frame and shown through
-- the environment window (ScriptExecution.lua): under the Courtyard and the Meadow, and alone on
-- the clip map "MAPNONE", of which nothing is drawn. Scenery, cameras and these settings stay when
-- the map changes. A clip map's own cells (DefinedMap_SetDimensions, DefinedMap_ClipArea) can only
-- be set while it is loaded, from scripts that run after the load.

-- Scenery is drawn only once it is turned on.
MapM_SetBackgroundDisplayState(1)

-- The sky: a fill colour under every picture.
BackgroundManager_SetFillColor(135, 185, 235)

-- Pictures come from Images/Background/Scenery (Routing.lua), are drawn in the order they are
-- spawned (later ones on top) at a place on the camera's view: name, picture, x, y, scroll x,
-- scroll y, draw flags. A spawned picture becomes the active one for the BackgroundObject_
-- functions.
--
-- The hills repeat across their width ("modulo"), shifted by half of how far the camera has
-- moved into the world, so they scroll slower than the ground once a player moves the camera.
BackgroundManager_SpawnObject("Hills", "Hills", 0, 360, 0.5, 0, 0)
BackgroundObject_SetModuloMode()
BackgroundManager_SpawnObject("Ground", "Ground", 0, 540, 1, 0, 0)
BackgroundObject_SetModuloMode()

-- Clouds drift to the right by their speed (pixels per tick, 60 ticks a second); a plain picture
-- is dropped once it has left the view.
BackgroundManager_SpawnObject("HighCloud", "Cloud", 20, 24, 0, 0, 0)
BackgroundObject_SetSpeed(1, 0)
BackgroundManager_SpawnObject("LowCloud", "Cloud", 420, 70, 0, 0, 0)
BackgroundObject_SetSpeed(1, 0)
BackgroundManager_SpawnObject("FarCloud", "Cloud", 640, 36, 0, 0, 0)
BackgroundObject_SetSpeed(1, 0)
