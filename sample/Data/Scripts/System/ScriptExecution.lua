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
SetTriggerProperties(rooms .. "Meadow.lua", 1, 0, 1, 0)

-- A jump sets the player's z speed to its least, -7 (z grows downwards): this trigger fires once
-- each time it drops below -6, and its script plays the blip and counts the jumps. "no repeat
-- without exit" (the last 1) makes it wait until the speed has risen again.
Global_AddScriptVariableI("Jumps", 0)
AddPropertyTrigger("Hop")
TriggerWatchProperty("Player", "", "ZSpeed")
TriggerAddEquivalency("rising", 2, -6)
SetTriggerProperties(rooms .. "Hop.lua", 0, 0, 0, 1)
