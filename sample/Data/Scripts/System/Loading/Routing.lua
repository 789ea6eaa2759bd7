-- Quillmere sample game: Data/Scripts/System/Loading/Routing.lua, the first system script.
--
-- The three system scripts run after every manager of the start-up sequence exists. This one
-- fills the data library with the game's resources: images and palettes from an image container,
-- a portrait, the window frame, the player's shadows, and fonts. Other parts of the game find them
-- by their data-library path (the GUI built in ScriptExecution.lua shows some of them).

-- The image container. The build writes Data/SampleImages.sif from sample/images/ (the manifest
-- there says which picture becomes which image or palette). It is compressed: while it is open
-- it is inflated into ActiveImageFile.tmp in the game's folder, which is removed when it closes.
-- One container is open at a time; the extract functions below read from it.
EIM_OpenFile(Path_GetPath("Images") .. "SampleImages.sif")

-- The data library is a tree: Root / section / catalogue / heading / name. Each level is added
-- under its parent by name, and the newest section, catalogue and heading become the active ones.
DL_AddSection("Images")
DL_AddCatalogue("Images", "Misc")

-- A palette: the container's "gems" record holds two rows of four colours (one row per pixel row
-- of images/palette.png). The five-argument extract functions take the container's name first,
-- then the full path to register it under.
DL_AddHeading("Images", "Misc", "Palettes")
DL_ExtractPalette("gems", "Images", "Misc", "Palettes", "Gems")

-- A paletted image. The gem is stored in the colours of the palette's first row; it is drawn in
-- the colours of the row that the global palette number selects, so one picture gives gems of
-- every colour. The two-argument form takes its palette from the active object and registers the
-- image under the active heading (here Images/Misc/Items/Gem).
DL_AddHeading("Images", "Misc", "Items")
DL_SetActiveObject("Images", "Misc", "Palettes", "Gems")
DL_ExtractBitmapWithPalette("gem", "Gem")

-- Plain images, registered under the active heading. The hero was cropped to its visible pixels
-- when the container was written; the image keeps where the crop sat as its drawing offset.
DL_AddCatalogue("Images", "Characters")
DL_AddHeading("Images", "Characters", "Hero")
DL_ExtractBitmap("hero", "Standing")
-- The same hero in the world. On the isometric courtyard the player's sprite shows it, its feet
-- and shadow on the player's position there. On the other maps the sprite is drawn 75 pixels
-- above the position, which a picture in it cannot reach, so the player shows "Nothing" there and
-- two static animations stand in: the body with its feet on the position and its shadow on the
-- ground (Data/Scripts/Rooms/Body.lua).
DL_ExtractBitmap("heroworld", "StandingInWorld")
DL_ExtractBitmap("herostand", "StandIn")
DL_ExtractBitmap("heroshadow", "StandInShadow")
DL_ExtractBitmap("nothing", "Nothing")

-- The player's shadows, at the path the program reads them from once the system scripts have run:
-- Images/Misc/Shadows/ShadowL, ShadowM, ShadowS and ShadowT (only ShadowM is drawn, under the
-- player, and not in the side view; the sample's is clear, each look of the hero holds its own).
DL_AddHeading("Images", "Misc", "Shadows")
DL_ExtractBitmap("shadowl", "Images", "Misc", "Shadows", "ShadowL")
DL_ExtractBitmap("shadowm", "Images", "Misc", "Shadows", "ShadowM")
DL_ExtractBitmap("shadows", "Images", "Misc", "Shadows", "ShadowS")
DL_ExtractBitmap("shadowt", "Images", "Misc", "Shadows", "ShadowT")

-- The ground of the side-view rooms, drawn by NPCs that stand where the rooms clip
-- (Data/Scripts/Rooms/Scenery.lua).
DL_AddCatalogue("Images", "Rooms")
DL_AddHeading("Images", "Rooms", "Ground")
for _, name in ipairs({"rockbig", "rocksmall", "stalagmitea", "stalagmiteb", "cavefloor", "caveceiling"}) do
  DL_ExtractBitmap(name, name)
end

DL_AddCatalogue("Images", "Background")
DL_AddHeading("Images", "Background", "Scenery")
DL_ExtractBitmap("grass", "Grass")
DL_ExtractBitmap("meadow", "Meadow")
-- The meadow map's scenery (Data/Scripts/Maps/Meadow.lua): the scenery functions look pictures up
-- under exactly this heading, Images/Background/Scenery.
DL_ExtractBitmap("hills", "Hills")
DL_ExtractBitmap("cloud", "Cloud")
DL_ExtractBitmap("ground", "Ground")

-- The window frame: GUIG_SetBorderImages looks its three pieces up under Images/GUI/Windows.
DL_AddCatalogue("Images", "GUI")
DL_AddHeading("Images", "GUI", "Windows")
DL_ExtractBitmap("windowcorner", "FrameCorner")
DL_ExtractBitmap("windowedgeh", "FrameTop")
DL_ExtractBitmap("windowedgev", "FrameSide")

-- A button's three pictures (GUIB_SetImages looks them up under Images/GUI/Buttons) and the
-- check box's two, which every check box takes from Images/GUI/Misc by these two names.
DL_AddHeading("Images", "GUI", "Buttons")
DL_ExtractBitmap("buttonup", "Up")
DL_ExtractBitmap("buttonover", "Over")
DL_ExtractBitmap("buttondown", "Down")
-- A scroll bar's arrows are buttons with these pictures (the "F" ones for a bar that runs across;
-- a bar's second arrow is its first mirrored left to right).
for i = 0, 2 do
  DL_ExtractBitmap("arrowv", "ButtonArroSB" .. i)
  DL_ExtractBitmap("arrowh", "ButtonArroSBF" .. i)
end
DL_AddHeading("Images", "GUI", "Misc")
DL_ExtractBitmap("checkboxon", "CheckBoxChecked")
DL_ExtractBitmap("checkboxoff", "CheckBoxUnchecked")
-- A scroll bar's track tile and box, also by these names.
DL_ExtractBitmap("scrollbartrack", "ScrollBarBlank")
DL_ExtractBitmap("scrollbarbox", "ScrollBarBox")

-- A portrait, for the dialogue window: Images/Portraits/Corvella/Neutral.
DL_AddCatalogue("Images", "Portraits")
DL_AddHeading("Images", "Portraits", "Corvella")
DL_ExtractPortrait("portrait", "Images", "Portraits", "Corvella", "Neutral")
-- The same picture as a plain image, for a window to show (windows show images, not portraits).
DL_ExtractBitmap("portrait", "Images", "Portraits", "Corvella", "NeutralPicture")

-- The dialogue window, which the program makes after the system scripts, looks its pane up once
-- (Images/GUI/Chat/ChatPane, 800 x 220 like the window) and the mark in front of each response
-- at every draw (Images/GUI/Bubbles/ResponseBubble); the courtyard's keeper talks in it.
DL_AddHeading("Images", "GUI", "Chat")
DL_ExtractBitmap("chatpane", "Images", "GUI", "Chat", "ChatPane")
DL_AddHeading("Images", "GUI", "Bubbles")
DL_ExtractBitmap("responsebubble", "Images", "GUI", "Bubbles", "ResponseBubble")

-- The shooter mini-game's pictures. A gnatling shows "XGnatling0" to "XGnatling3" in turn as it
-- flies, and every shot of the hero's gun is "XVexmoraShot"; both are found by name in any heading.
DL_AddCatalogue("Images", "Shooter")
DL_AddHeading("Images", "Shooter", "Gnatling")
for frame = 0, 3 do
  DL_ExtractBitmap("gnatling" .. frame, "XGnatling" .. frame)
end
DL_AddHeading("Images", "Shooter", "Shots")
DL_ExtractBitmap("shot", "XVexmoraShot")

-- Everything needed is in the library now; closing removes the temporary file.
EIM_CloseFile()

-- Fonts are TrueType (or OpenType) files, loaded at 16 pixels per em and registered at a path. A
-- text line is 16 pixels high and dialogue lines lie 16 pixels apart, so the font's glyphs must fit
-- in 16 pixels at that size, descenders included: the build copies GNU Unifont, whose glyphs do,
-- into Data/Fonts/ (many fonts reach 18 or 19 pixels and lose the feet of g, j, p, q and y). The
-- same file serves the system text and the dialogue.
DL_AddSection("Fonts")
DL_AddCatalogue("Fonts", "General")
DL_AddHeading("Fonts", "General", "System")
DL_AddHeading("Fonts", "General", "Dialogue")
local fonts = Path_GetPath("Fonts")
DL_RegisterFont(fonts .. "Unifont.otf", "Fonts", "General", "System", "SystemFont")
DL_RegisterFont(fonts .. "Unifont.otf", "Fonts", "General", "Dialogue", "DialogueFont")

-- The tile textures of the isometric maps. The build writes Data/StandardTextures.sif from
-- sample/tiles/. Its record must be called "StandardTextures"; the map manager is told the
-- heading that holds it and then reads the container's directory once ("Registered Lookup" lines).
-- Each isometric map file names the textures it uses, and they are loaded from this container
-- when the map loads. The container is read on its own, so an image container that a script has
-- open (EIM_OpenFile) is left as it is.
DL_AddSection("World")
DL_AddCatalogue("World", "Textures")
DL_AddHeading("World", "Textures", "Files")
DL_RegisterTextureFile("World", "Textures", "Files", "StandardTextures",
                       Path_GetPath("Images") .. "StandardTextures.sif")
MapM_SetTextureFileHeading("World", "Textures", "Files")
MapM_BuildLookupList()
