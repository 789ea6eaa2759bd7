-- Quillmere sample game: Data/Scripts/System/ScriptExecution.lua, the last system script.
--
-- The last start-up script: the game loop starts right after it.

-- A timer counts game ticks (60 per second) from the value it is given. A script can read it with
-- TimerManager_GetTimer("PlayTime").
TimerManager_AddTimer("PlayTime", 0)

-- Music. LoadSong loads a file under a name and makes it the active song; MM_EditMusic sets a
-- song's volume and, with a loop argument of 1, makes it loop; PlayActiveSong plays the active
-- song from its start, always at volume 0.35. The build writes Theme.wav; WAV, FLAC, Ogg Vorbis,
-- Opus, VOC, MOD and S3M files play (MP3 does not). Without a sound device the calls still
-- succeed and nothing is heard.
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
-- the "Maps" folder and run "<name>.lua" from the "MapScripts" folder (see Paths.lua).
-- The chunked level "Meadow" (Data/Maps/Meadow.plf with its script Data/Scripts/Maps/Meadow.lua)
-- loads from any script with MapM_TransitionMap("Meadow").
MapM_SetMapLoadTarget("MAPNONE")

-- The player's look: a drawing list (the player's own, reached through the router) with one layer
-- whose package shows the hero in all eight facings. A state decides which animation of the
-- package shows; "St|Casting" is a movement state the player never enters, so a state that applies
-- while it differs from 1 always applies.
AIM_CreateObject("HeroStanding", "AnimationsList", "Animation")
Anim_DeclareSizes(8, 1)
for facing = 0, 7 do
  Anim_SetFrame(facing, 0, "Standing")
end
Anim_SetDuration(1)
AIM_CreateObject("HeroBody", "AIDrawingPackageList", "AIDrawingPackage")
AIDP_AllocateSpace(1)
AIDP_SetAnimation(0, "HeroStanding")
AIM_SetActiveAIObject("DrawingList", "Player", "", "AIDrawingList")
AIDL_AddAI("Body", "HeroBody")
AIDL_SetBaseStateToActive()
AIS_AddState("Always", 0, "Player", "", "St|Casting", 1)

-- Triggers run a script when something holds; they are checked every tick, right after the
-- player moves, and outlive map changes. A property trigger compares one routed value with
-- numbers: this one watches nothing in particular ("Health", which always holds operation 0), so
-- it fires on the first tick, once, after the first map has loaded, and builds the first room.
local rooms = Path_GetPath("Rooms")
AddPropertyTrigger("Start")
TriggerWatchProperty("Player", "", "Health")
TriggerAddEquivalency("always", 0, 0)
SetTriggerProperties(rooms .. "Hillside.lua", 1, 0, 1, 0)

-- A jump sets the player's z speed to its least, -7 (z grows downwards): this trigger fires once
-- each time it drops below -6, and its script plays the blip and counts the jumps. "no repeat
-- without exit" (the last 1) makes it wait until the speed has risen again.
Global_AddScriptVariableI("Jumps", 0)
AddPropertyTrigger("Hop")
TriggerWatchProperty("Player", "", "ZSpeed")
TriggerAddEquivalency("rising", 2, -6)
SetTriggerProperties(rooms .. "Hop.lua", 0, 0, 0, 1)

-- The GUI: every frame is drawn through it. Widgets are added to the active list (the top level
-- is "Base"); the first added is the front-most. A widget is drawn once GUIG_SetDimensions (or its
-- own sizing function) gives it a size, and starts locked: GUIG_SetLock(0) lets it be dragged by
-- its top border, panned, or resized.
GUI_SetActiveObjectList("Base")

-- The portrait in a resize window with the frame: drag its right or bottom border to resize it,
-- inside it to pan. Dragged by its top border the window moves over the picture, which stays where
-- it is on the screen. The view starts 16 pixels before the picture's corner, so the 64 x 64
-- portrait sits in the middle of the 96 x 96 window.
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

-- A plain window under the meadow.
GUI_SetActiveObjectList("Base")
GUIOL_AddObject("Banner", "GUIWindow")
GUIG_SetDimensions(60, 260, 300, 24)
GUIW_SetBackgroundColor(40, 40, 90)
