-- Quillmere sample game: Data/Scripts/System/ScriptExecution.lua, the last system script.
--
-- The last start-up script: the game loop starts right after it.

-- A timer counts game ticks (60 per second) from the value it is given. A script can read it with
-- TimerManager_GetTimer("PlayTime").
TimerManager_AddTimer("PlayTime", 0)

-- Music. LoadSong loads a file under a name and makes it the active song; MM_EditMusic sets a
-- song's volume and, with a loop argument of 1, makes it loop; PlayActiveSong plays the active
-- song from its start, always at volume 0.35. The build writes Theme.wav; WAV, FLAC, Ogg Vorbis,
-- Opus, MOD and S3M files play (MP3 and VOC do not). Without a sound device the calls still
-- succeed and nothing is heard.
LoadSong("Chime", Path_GetPath("Sounds") .. "Blip.wav")
MM_EditMusic("Chime", 0.35, 1)
LoadSong("Theme", Path_GetPath("Music") .. "Theme.wav")
MM_EditMusic("Theme", 0.35, 1)
PlayActiveSong()

-- Sounds are kept apart from songs: MM_LoadSound loads one under a name (and logs that it did),
-- MM_PlaySound plays it from its start, even while it is still playing. The blip sounds once to
-- say the game is ready; the property trigger below plays it again at every jump.
MM_LoadSound("Blip", Path_GetPath("Sounds") .. "Blip.wav")
MM_PlaySound("Blip")

-- The first map loads right after this script: the name set here, "TolvaCube" when none is set.
-- "MAPNONE" is a clip map that scripts build; other names load "<name>.slf" or "<name>.plf" from
-- the "Maps" folder and run "<name>.lua" from the "MapScripts" folder (see Paths.lua). Courtyard
-- is an isometric map that the build writes from sample/maps/Courtyard.map; its script,
-- Data/Scripts/Maps/Courtyard.lua, shows how it leads on to the chunked level "Meadow"
-- (Data/Maps/Meadow.plf with its script Data/Scripts/Maps/Meadow.lua), which loads from any
-- script with MapM_TransitionMap("Meadow").
MapM_SetMapLoadTarget("Courtyard")

-- The hillside's scenery (sky, hills, ground, clouds) lies behind every map. What its script sets
-- up outlives map loads, so it may run before the first one. The clip
-- map "MAPNONE" runs no map script of its own: on it only this scenery is drawn.
LM_ExecuteScript(Path_GetPath("MapScripts") .. "Hillside.lua")

-- The player's look: a drawing list (the player's own, reached through the router) with one layer
-- whose package shows the hero in all eight facings. A state decides which animation of the
-- package shows; "St|Casting" is a movement state the player never enters, so a state that applies
-- while it differs from 1 always applies. Off the courtyard the layer draws "HeroHidden" instead
-- (Data/Scripts/Rooms/Body.lua switches it), and the stand-ins below show the hero.
local function OneFrameLook(animation, package, picture)
  AIM_CreateObject(animation, "AnimationsList", "Animation")
  Anim_DeclareSizes(8, 1)
  for facing = 0, 7 do
    Anim_SetFrame(facing, 0, picture)
  end
  Anim_SetDuration(1)
  if package then
    AIM_CreateObject(package, "AIDrawingPackageList", "AIDrawingPackage")
    AIDP_AllocateSpace(1)
    AIDP_SetAnimation(0, animation)
  end
end
OneFrameLook("HeroStanding", "HeroBody", "StandingInWorld")
OneFrameLook("HeroNothing", "HeroHidden", "Nothing")
AIM_SetActiveAIObject("DrawingList", "Player", "", "AIDrawingList")
AIDL_AddAI("Body", "HeroBody")
AIDL_SetBaseStateToActive()
AIS_AddState("Always", 0, "Player", "", "St|Casting", 1)

-- The stand-ins: static animations (objects, which last the whole game) of a 64 x 64 box, so the
-- picture's (32, 32) lies on the box's centre. Body.lua moves them every tick.
OneFrameLook("HeroStandInLook", nil, "StandIn")
OneFrameLook("HeroShadowLook", nil, "StandInShadow")
-- The shadow first: objects are drawn in the order they were made.
for _, stand in ipairs({{"HeroShadow", "HeroShadowLook"}, {"HeroStandIn", "HeroStandInLook"}}) do
  local name, look = stand[1], stand[2]
  OBJM_CreateObject(name, "StaticAnimation")
  OBJ_SetDimensions(64, 64, 0)
  OBJ_SetCoordinates(-1000, -1000, 0)
  OBJSA_SetAnimationData(look, 0, 0, 2000000000)
end

-- Triggers run a script when something holds; they are checked every tick, right after the
-- player moves, and outlive map changes. A property trigger compares one routed value with
-- numbers: this one watches nothing in particular ("Health", which always holds operation 0), so
-- it fires on the first tick, once, after the first map has loaded, and sets the courtyard up.
local rooms = Path_GetPath("Rooms")
AddPropertyTrigger("Start")
TriggerWatchProperty("Player", "", "Health")
TriggerAddEquivalency("always", 0, 0)
SetTriggerProperties(rooms .. "Start.lua", 1, 0, 1, 0)

-- Every tick, after the player has moved: the stand-ins follow it (Body.lua).
AddPropertyTrigger("Body")
TriggerWatchProperty("Player", "", "Health")
TriggerAddEquivalency("always", 0, 0)
SetTriggerProperties(rooms .. "Body.lua", 0, 0, 0, 0)

-- A jump sets the player's z speed below -4 (z grows downwards: -5 on the floor's levels, -7 in
-- the side view): this trigger fires once each time, and its script plays the blip, counts the
-- jumps and, in the grove, throws a bolt. "no repeat without exit" (the last 1) makes it wait
-- until the speed has risen again.
Global_AddScriptVariableI("Jumps", 0)
AddPropertyTrigger("Hop")
TriggerWatchProperty("Player", "", "ZSpeed")
TriggerAddEquivalency("rising", 2, -4)
SetTriggerProperties(rooms .. "Hop.lua", 0, 0, 0, 1)

-- The doors between the rooms: rectangles in world pixels that fire as the player's box walks in.
-- Triggers outlive map changes and every room's doors lie somewhere in the others, so each door
-- belongs to a room (the map scripts keep the text variable "Room" up to date) and Door.lua acts
-- only in its room. "no repeat without exit" keeps a door quiet until the player has left it.
-- The door's number is its script code: Door.lua finds it in this table.
Doors = {
  {room = "Courtyard", to = "ToMeadow.lua", from = 1, area = {180, 150, 256, 200}},
  {room = "Meadow", to = "ToCourtyard.lua", from = 0, area = {0, 0, 30, 512}},
  {room = "Meadow", to = "ToGrove.lua", from = 0, area = {0, 490, 768, 512}},
  {room = "Meadow", to = "Ridge.lua", from = 1, area = {700, 0, 768, 512}},
  {room = "Grove", to = "ToMeadow.lua", from = 2, area = {0, 0, 30, 768}},
  {room = "Ridge", to = "ToMeadow.lua", from = 3, area = {0, 0, 40, 600}},
  {room = "Ridge", to = "Cave.lua", from = 0, area = {740, 0, 800, 600}},
  {room = "Cave", to = "Ridge.lua", from = 2, area = {0, 0, 40, 600}},
}
for number, door in ipairs(Doors) do
  local a = door.area
  AddRectangularTrigger(door.room .. "Door" .. number, a[1], a[2], a[3], a[4])
  SetTriggerProperties(rooms .. "Door.lua", number, 0, 0, 1)
end

-- The GUI: every frame is drawn through it. Widgets are added to the active list (the top level
-- is "Base"); the first added is the front-most. A widget is drawn once GUIG_SetDimensions (or its
-- own sizing function) gives it a size, and starts locked: GUIG_SetLock(0) lets it be dragged by
-- its top border, panned, or resized. The world fills the screen; at the start only the "Menu"
-- button and the chat lie over it, and the menu's buttons open the other windows.
GUI_SetActiveObjectList("Base")
local menu = Path_GetPath("MenuScripts")

-- A button is added to the active list, then gets a label of its own. A button shows its "Up"
-- picture, "Over" while the mouse is over it and "Down" while pressed; a click (press and release
-- on it) runs its script with its script code, or a built-in action ("Button_Hide_Parent" hides
-- the window that holds it). Text is drawn in the system font; a text line sizes itself by its
-- text (10 pixels per character, 16 high, which the font's glyphs fit), and a text line inside a
-- button is its label. TextLine places the line after its text has sized it.
function TextLine(text, x, y, w)
  GUIT_SetString(text)
  GUIG_SetDimensions(x, y, w, 16)
end
local function Button(parent, name, label, x, y, script, code)
  GUI_SetActiveObjectAndListFromBase(parent)
  GUIOL_AddObject(name, "GUIButton")
  GUIG_SetDimensions(x, y, 80, 22)
  GUIB_SetImages("Up", "Over", "Down")
  if code then
    GUIB_SetScriptData(menu .. script, code)
  else
    GUIB_SetFunctionData(script)
  end
  GUI_SetActiveObjectAndListFromBase(name)
  GUIOL_AddObject(name .. "Label", "GUITextLine")
  TextLine(label, 8, 1, 70)
end
-- The active widget and its children hide (they show again with GUIG_Show or GUIG_Flip).
local function Hide(name)
  GUI_SetActiveObjectAndListFromBase(name)
  GUIG_Hide()
end

-- The "Menu" button in the top-right corner opens and closes the menu.
GUIOL_AddObject("MenuButton", "GUIButton")
GUIG_SetDimensions(712, 8, 80, 22)
GUIB_SetImages("Up", "Over", "Down")
GUIB_SetScriptData(menu .. "Toggle.lua", 1)
GUI_SetActiveObjectAndListFromBase("MenuButton")
GUIOL_AddObject("MenuButtonLabel", "GUITextLine")
TextLine("Menu", 8, 1, 70)

-- The menu: a window of buttons, a check box, a text box and a colour swatch.
GUI_SetActiveObjectList("Base")
GUIOL_AddObject("Menu", "GUIWindow")
GUIG_SetDimensions(560, 60, 200, 300)
GUIW_SetBackgroundColor(30, 30, 60)
GUIG_SetBorderImages("FrameCorner", "FrameTop", "FrameSide")
GUIG_SetLock(0)
GUI_SetActiveObjectAndListFromBase("Menu")
GUIOL_AddObject("MenuTitle", "GUITextLine")
TextLine("Menu", 14, 10, 60)
-- The music buttons share a script: its script code says which song (1 Theme, 2 Chime, 0 quiet).
Button("Menu", "ThemeButton", "Theme", 14, 36, "Music.lua", 1)
Button("Menu", "ChimeButton", "Chime", 104, 36, "Music.lua", 2)
Button("Menu", "QuietButton", "Quiet", 14, 66, "Music.lua", 0)
-- The other windows' buttons share Toggle.lua too: its code says which window opens or closes.
Button("Menu", "HelpButton", "Help", 104, 66, "Toggle.lua", 2)
-- The way to the grove at once, wherever the hero is.
Button("Menu", "GroveButton", "Grove", 104, 100, "Grove.lua", 1)
Button("Menu", "GalleryButton", "Gallery", 14, 132, "Toggle.lua", 3)
Button("Menu", "ExtrasButton", "Extras", 104, 132, "Toggle.lua", 4)

-- The check box holds a setting: unchecked, the buttons stop blipping. It starts checked.
GUI_SetActiveObjectAndListFromBase("Menu")
GUIOL_AddObject("BlipCheck", "GUICheckBox")
GUIG_SetDimensions(14, 104, 16, 16)
GUICB_SetFiringData(menu .. "Blips.lua", 1, menu .. "Blips.lua", 0)
GUIOL_AddObject("BlipLabel", "GUITextLine")
TextLine("Blips", 38, 100, 60)

-- A text box: click it and type (letters, digits, space and a few signs); Backspace removes,
-- Enter ends the typing. The line under it watches the box's text through the property router.
GUIOL_AddObject("NameBox", "GUIInputBox")
GUIG_SetDimensions(14, 166, 170, 20)
GUIITB_SetSystemData(16, 0)
GUIOL_AddObject("NameLabel", "GUITextLine")
TextLine("Name:", 14, 192, 60)
GUIOL_AddObject("NameEcho", "GUISmartText")
GUIG_SetDimensions(80, 194, 10, 18)
GUISTL_WatchProperty("GUI", "NameBox", "String")

-- A colour swatch. Its four components are routed integers (owner "GUI", object "Swatch",
-- properties "Red", "Green", "Blue", "Alpha"), so any script can change them with PM_SetValue.
GUIOL_AddObject("Swatch", "GUIColorBox")
GUIG_SetDimensions(14, 222, 170, 30)
GUIColB_SetColorData(60, 120, 200, 255)
Button("Menu", "MenuClose", "Close", 60, 264, "Button_Hide_Parent")

-- Help: how to play, with the hero's picture; its "Close" button hides it.
GUI_SetActiveObjectList("Base")
GUIOL_AddObject("Panel", "GUIWindow")
GUIG_SetDimensions(120, 100, 380, 150)
GUIW_SetBackgroundColor(60, 40, 40)
GUI_SetActiveObjectAndListFromBase("Panel")
local help = {"Arrows walk, Space jumps", "Z bucks: it pushes things", "Click people to talk",
              "Esc ends the game"}
for row, text in ipairs(help) do
  GUIOL_AddObject("HelpText" .. row, "GUITextLine")
  TextLine(text, 14, 12 + 20 * (row - 1), 10 * #text)
end
GUIOL_AddObject("HeroPicture", "GUIImage")
GUIG_SetDimensions(330, 12, 32, 32)
GUII_SetImage("Standing")
Button("Panel", "CloseButton", "Close", 14, 112, "Button_Hide_Parent")

-- The gallery (the menu's "Gallery" button): the portrait in a resize window with the frame, drag
-- its right or bottom border to resize it, inside it to pan. Dragged by its top border the window
-- moves over the picture, which stays where it is on the screen. The view starts 16 pixels
-- before the picture's corner, so the 64 x 64 portrait sits in the middle of the 96 x 96 window.
GUI_SetActiveObjectList("Base")
GUIOL_AddObject("Portrait", "GUIResizeWindow")
GUIRSW_SetWindowDimensions(440, 220, 96, 96)
GUIG_SetBorderImages("FrameCorner", "FrameTop", "FrameSide")
GUIRSW_SetBackgroundPic("NeutralPicture")
GUIRSW_SetPictureDimensions(-16, -16, 80, 80)
GUIG_SetLock(0)

-- The meadow in a scrollable window with the same frame, behind the portrait; drag inside it to
-- look around (not from within 10 pixels of its edges).
GUIOL_AddObject("Meadow", "GUIScrollableWindow")
GUISW_SetWindowDimensions(60, 60, 300, 180)
GUIG_SetBorderImages("FrameCorner", "FrameTop", "FrameSide")
GUISW_SetBackgroundPic("Meadow")
GUISW_SetPictureDimensions(10, 10, 310, 190)
GUIG_SetLock(0)

-- The hero stands in the meadow: a child window, in the meadow's coordinates. It stays locked, so
-- a press on it pans nothing.
GUI_SetActiveObjectAndListFromBase("Meadow")
GUIOL_AddObject("Hero", "GUIScrollableWindow")
GUISW_SetWindowDimensions(134, 118, 32, 32)
GUISW_SetBackgroundPic("Standing")

-- A plain window under the meadow, with the gallery's "Close" button, which runs the menu's
-- "Gallery" button's script: it hides the meadow, the banner and the portrait together.
GUI_SetActiveObjectList("Base")
GUIOL_AddObject("Banner", "GUIWindow")
GUIG_SetDimensions(60, 260, 300, 24)
GUIW_SetBackgroundColor(40, 40, 90)
GUI_SetActiveObjectAndListFromBase("Banner")
GUIOL_AddObject("BannerText", "GUITextLine")
TextLine("The gallery", 8, 2, 110)
Button("Banner", "GalleryClose", "Close", 218, 1, "Toggle.lua", 3)
GUI_SetActiveObjectList("Base")

-- The extras (the menu's "Extras" button): a drop menu, a scroll bar and a list.
GUIOL_AddObject("Extras", "GUIWindow")
GUIG_SetDimensions(60, 296, 370, 300)
GUIW_SetBackgroundColor(30, 30, 60)
GUIG_SetBorderImages("FrameCorner", "FrameTop", "FrameSide")
GUI_SetActiveObjectAndListFromBase("Extras")

-- A drop menu shows its fields side by side in a header, each with its entries listed below it,
-- always open. A click on it does nothing: the click goes on to whatever lies behind it.
GUIOL_AddObject("GameMenu", "GUIDropMenu")
GUIG_SetDimensions(14, 12, 340, 0)
-- A field's column is 8 pixels per character of its name plus 4, just the width of the name in
-- this font, so the names carry blanks to keep the columns apart.
local game, music, keys = "Game  ", "Music    ", "Help"
GUIDM_AddField(game)
GUIDM_AddField(music)
GUIDM_AddField(keys)
GUIDM_AddEntry(game, "New", "New", "", 0, 0)
GUIDM_AddEntry(game, "Load", "Load", "", 0, 0)
GUIDM_AddEntry(music, "Theme", "Theme", menu .. "Music.lua", 1, 0)
GUIDM_AddEntry(music, "Chime", "Chime", menu .. "Music.lua", 2, 0)
GUIDM_AddEntry(music, "Quiet", "Quiet", menu .. "Music.lua", 0, 0)
GUIDM_AddEntry(keys, "Keys", "Keys", "", 0, 0)
GUIDM_ModifyEntry(keys, "Keys", "Esc quits", "", 0, 0)

-- A scroll bar across the window: drag its box or click an arrow. Its value (the box's offset,
-- 0 to its length - 24) is the routed integer "mBoxCurrentValue", which the line beside it watches.
GUIOL_AddObject("Slider", "GUIScrollBar")
GUISB_SetScrollData(14, 96, 240, 8, 0)
GUIOL_AddObject("SliderValue", "GUISmartText")
GUIG_SetDimensions(266, 92, 10, 18)
GUISTL_WatchProperty("GUI", "Slider", "mBoxCurrentValue")

-- A list shows routed texts, ten rows at a time with its own scroll bar; a press selects a row
-- (hold the button and move to drag the selection). Here the texts are those of input boxes that
-- stay hidden; the first entry is the menu's name box, so it shows what is typed there.
local songs = {"Theme", "Chime", "Blip", "Meadow", "Dawn", "Dusk", "Rain", "Wind", "River",
               "Stone", "Ember", "Frost"}
for i, song in ipairs(songs) do
  GUIOL_AddObject("Song" .. i, "GUIInputBox")
  GUIT_SetString(song)
  GUIG_Hide()
end
GUIOL_AddObject("Songs", "GUIList")
GUIG_SetDimensions(14, 120, 220, 0)
GUIL_SetListSize(#songs + 1)
GUIL_SetListEntry(0, "GUI", "NameBox", "String", "GUI", "NameBox", "Length")
for i = 1, #songs do
  GUIL_SetListEntry(i, "GUI", "Song" .. i, "String", "GUI", "Song" .. i, "Length")
end
Button("Extras", "ExtrasClose", "Close", 270, 264, "Button_Hide_Parent")

-- The chat, in the top-left corner: the two newest lines typed into its box. Click the box, type,
-- and press Enter: the chat log takes the line on the next tick and empties the box. The chat
-- log's ten newest lines are the routed texts "Log|0" (the newest) to "Log|9" of the owner
-- "ChatLog"; a watching text line shows one.
GUI_SetActiveObjectList("Base")
GUIOL_AddObject("Chat", "GUIWindow")
GUIG_SetDimensions(8, 8, 200, 84)
GUIW_SetBackgroundColor(30, 30, 60)
GUIG_SetBorderImages("FrameCorner", "FrameTop", "FrameSide")
GUI_SetActiveObjectAndListFromBase("Chat")
for row, slot in ipairs({"Log|1", "Log|0"}) do
  GUIOL_AddObject("ChatLine" .. row, "GUISmartText")
  GUIG_SetDimensions(12, 8 + 20 * (row - 1), 10, 18)
  GUISTL_WatchProperty("ChatLog", "Log", slot)
end
GUIOL_AddObject("ChatBox", "GUIInputBox")
GUIG_SetDimensions(12, 54, 176, 20)
GUIITB_SetSystemData(18, 0)
ChatManager_WatchProperty("ChatBox")

-- The world: an environment window shows the active camera's view (here the "Default" camera,
-- the size of the window) and is drawn again every frame. Added last, it is the back-most widget,
-- so the rest of the GUI lies over the world. Under the name "EnvironmentWindow" it stays visible
-- when a script calls GUI_HideAllObjects. It takes no clicks itself: a click that no window in
-- front takes goes on to the map.
GUI_SetActiveObjectList("Base")
GUIOL_AddObject("EnvironmentWindow", "GUIEnvironmentWindow")
GUIG_SetDimensions(0, 0, 800, 600)

-- Only the world, the "Menu" button and the chat show at the start.
for _, name in ipairs({"Menu", "Panel", "Portrait", "Meadow", "Banner", "Extras"}) do
  Hide(name)
end
