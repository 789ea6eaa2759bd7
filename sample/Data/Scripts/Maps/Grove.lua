-- Quillmere sample game: Data/Scripts/Maps/Grove.lua, the map script of the level "Grove", reached
-- from the meadow's south path or by the menu's "Grove" button (Data/Scripts/Menu/Grove.lua).
--
-- The grove's inhabitants: two villagers walking their rounds, a slime patrolling under a tree
-- (the hero's jumps throw bolts at it, Data/Scripts/Rooms/Hop.lua), and a gem lying in the furrow
-- below the tree, which the hero's buck rolls along it. Every map load removes the NPCs and the floating AI packages, so this
-- script makes them on each visit; animations, drawing packages and objects last the whole game,
-- so they are made on the first visit only.
io.stderr:write("Grove.lua: entering the grove (script code ", GetScriptCode(), ")\n")
Global_SetScriptVariableA("Room", "Grove")
local here = Path_GetPath("MapScripts") .. "Grove/"

if not GroveLooks then
  GroveLooks = true
  -- The pictures, from the sample's image container.
  EIM_OpenFile(Path_GetPath("Images") .. "SampleImages.sif")
  DL_AddCatalogue("Images", "Grove")
  DL_AddHeading("Images", "Grove", "Actors")
  DL_ExtractBitmap("walkera", "WalkerStepA")
  DL_ExtractBitmap("walkerb", "WalkerStepB")
  DL_ExtractBitmap("slime", "Slime")
  DL_ExtractBitmap("bolt", "Bolt")
  -- Every item looks up its shadows by these names under Images/Misc/Shadows.
  DL_AddHeading("Images", "Misc", "Shadows")
  DL_ExtractBitmap("shadowl", "ShadowL")
  DL_ExtractBitmap("shadowm", "ShadowM")
  DL_ExtractBitmap("shadows", "ShadowS")
  DL_ExtractBitmap("shadowt", "ShadowT")
  EIM_CloseFile()

  -- An animation: rows are the eight facings (0 up, 2 right, 4 down, 6 left), columns the frames;
  -- each frame shows for 12 ticks. The walking packages advance the NPC's timer and set its facing.
  AIM_CreateObject("WalkerSteps", "AnimationsList", "Animation")
  Anim_DeclareSizes(8, 2)
  for row = 0, 7 do
    Anim_SetFrame(row, 0, "WalkerStepA")
    Anim_SetFrame(row, 1, "WalkerStepB")
  end
  Anim_SetDuration(12)
  AIM_CreateObject("SlimeWobble", "AnimationsList", "Animation")
  Anim_DeclareSizes(8, 1)
  for row = 0, 7 do
    Anim_SetFrame(row, 0, "Slime")
  end
  Anim_SetDuration(12)
  AIM_CreateObject("BoltFlight", "AnimationsList", "Animation")
  Anim_DeclareSizes(1, 1)
  Anim_SetFrame(0, 0, "Bolt")
  Anim_SetDuration(12)

  -- A drawing package holds animations by index; an NPC's states pick the index.
  AIM_CreateObject("WalkerLook", "AIDrawingPackageList", "AIDrawingPackage")
  AIDP_AllocateSpace(1)
  AIDP_SetAnimation(0, "WalkerSteps")
  AIM_CreateObject("SlimeLook", "AIDrawingPackageList", "AIDrawingPackage")
  AIDP_AllocateSpace(1)
  AIDP_SetAnimation(0, "SlimeWobble")

  -- An item: the player's buck sends it rolling. An item moves only where the map's cell test
  -- answers 0, which on a chunked level means where its clip layer blocks the way: the furrow
  -- (GroveClip.png, x 220 to 459, rows 468 to 477, read 65 pixels above the point asked for), in
  -- which the gem's centre has rows 534 to 542. The box is 2 x 2: the picture's middle goes on
  -- the box's corner, a pixel from the centre, and a narrow box fits the furrow. The hero cannot
  -- step into the furrow and walks along its south side, where the buck reaches the gem: 42
  -- pixels in front of its centre facing east, 39 facing west, and 14 above, give or take 19.
  OBJM_CreateObject("GroveGem", "Item", 300, 538, 0, 2, 2, 2, "Gem")
end
-- The gem in the furrow on every visit (the doors put it away when the hero leaves).
OBJM_SetActiveObject("GroveGem")
OBJ_SetCoordinates(300, 538, 0)

-- An NPC of the kind at (x, y), 24 x 32, with the look and two state flags; its drawing list
-- shows animation 0 of the look while it stands ("Idle") and while it walks ("Moving").
local function AddWalker(name, kind, x, y, w, h, look)
  NPCM_AddNPC(name, kind)
  NPC_SetCoordinateData(x, y, 0, w, h, 8)
  NPC_SetDisplayData(0, 0, w, h)
  NPC_AllocateStateVariables(2)
  NPC_SetStateVariable(0, "Idle", 1)
  NPC_SetStateVariable(1, "Moving", 0)
  AIM_SetActiveAIObject("DrawingList", "NPC", "", "AIDrawingList")
  AIDL_AddAI("Body", look)
  AIDL_SetBaseStateToActive()
  AIS_AddState("Standing", 0, "NPC", "", "St|Idle", 0)
  AIS_AddState("Walking", 0, "NPC", "", "St|Moving", 0)
end

-- The rounds the villagers walk, point by point (Walk.lua, their default script, queues them).
GroveRounds = {
  {{60, 310}, {420, 310}},
  {{500, 340}, {500, 570}, {430, 570}},
}
local function AddVillager(name, round, x, y)
  AddWalker(name, "DialogueNPC", x, y, 24, 32, "WalkerLook")
  NPC_AddScriptVariableI("Round", round)
  NPC_AddScriptVariableI("Leg", 0)
  NPC_SetDefaultScript(here .. "Walk.lua")
end
AddVillager("Tamsin", 1, 60, 310)
AddVillager("Odo", 2, 500, 340)

-- The slime walks to and fro under the tree; its hit-reaction script runs with the bolt's id.
AddWalker("Slime", "EnemyNPC", 160, 450, 32, 24, "SlimeLook")
NPC_AddScriptVariableI("Leg", 0)
NPC_SetDefaultScript(here .. "Patrol.lua")
NPCBE_SetHitReactionScript(here .. "SlimeHit.lua")
