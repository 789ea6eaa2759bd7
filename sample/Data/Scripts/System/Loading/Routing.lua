-- Quillmere sample game: the first system script, run once every manager exists.
--
-- The game's resources (image containers, fonts, portraits) are registered in the data library
-- from here.

local images = Path_GetPath("Images")
EIM_OpenFile(images .. "SampleImages.sif")

DL_AddSection("Images")
DL_AddCatalogue("Images", "Misc")
DL_AddHeading("Images", "Misc", "Palettes")
DL_ExtractPalette("gems", "Images", "Misc", "Palettes", "Gems")

-- The gem is stored in the first row's colours; it is drawn in the row the global palette number
-- selects.
DL_AddHeading("Images", "Misc", "Items")
DL_SetActiveObject("Images", "Misc", "Palettes", "Gems")
DL_ExtractBitmapWithPalette("gem", "Gem")

DL_AddCatalogue("Images", "Characters")
DL_AddHeading("Images", "Characters", "Hero")
DL_ExtractBitmap("hero", "Standing")

DL_AddCatalogue("Images", "Background")
DL_AddHeading("Images", "Background", "Scenery")
DL_ExtractBitmap("grass", "Grass")

DL_AddCatalogue("Images", "Portraits")
DL_AddHeading("Images", "Portraits", "Corvella")
DL_ExtractPortrait("portrait", "Images", "Portraits", "Corvella", "Neutral")

EIM_CloseFile()

DL_AddSection("Fonts")
DL_AddCatalogue("Fonts", "General")
DL_AddHeading("Fonts", "General", "System")
DL_AddHeading("Fonts", "General", "Dialogue")
local fonts = Path_GetPath("Fonts")
DL_RegisterFont(fonts .. "DejaVuSans.ttf", "Fonts", "General", "System", "SystemFont")
DL_RegisterFont(fonts .. "DejaVuSans.ttf", "Fonts", "General", "Dialogue", "DialogueFont")
