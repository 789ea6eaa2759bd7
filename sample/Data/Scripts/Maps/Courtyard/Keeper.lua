-- Quillmere sample game: Data/Scripts/Maps/Courtyard/Keeper.lua, run by the courtyard's map script.
--
-- The keeper stands on the grass beside the wall's tower. A dialogue NPC talks when it is clicked:
-- a press and a release within 9 pixels of its centre across, and from 47 above the centre to 8
-- below it, run its dialogue script (Talk.lua beside this one). Every map load removes the NPCs,
-- so the keeper is made on each visit; the look (animation and drawing package) lasts the whole
-- game and is made on the first visit only.

if not KeeperLook then
  KeeperLook = true
  EIM_OpenFile(Path_GetPath("Images") .. "SampleImages.sif")
  DL_AddCatalogue("Images", "Courtyard")
  DL_AddHeading("Images", "Courtyard", "Actors")
  DL_ExtractBitmap("keeper", "CourtyardKeeper")
  EIM_CloseFile()

  -- One frame for each of the eight facings: the keeper does not walk.
  AIM_CreateObject("KeeperStanding", "AnimationsList", "Animation")
  Anim_DeclareSizes(8, 1)
  for row = 0, 7 do
    Anim_SetFrame(row, 0, "CourtyardKeeper")
  end
  Anim_SetDuration(60)
  AIM_CreateObject("KeeperLook", "AIDrawingPackageList", "AIDrawingPackage")
  AIDP_AllocateSpace(1)
  AIDP_SetAnimation(0, "KeeperStanding")
end

-- Centre (412, 250), 24 x 40: the picture covers x 400 to 424 and y 230 to 270, on the screen too,
-- since the courtyard's camera does not move.
NPCM_AddNPC("Keeper", "DialogueNPC")
NPC_SetCoordinateData(412, 250, 0, 24, 40, 8)
NPC_SetDisplayData(0, 0, 24, 40)
NPC_SetDialoguePath(Path_GetPath("MapScripts") .. "Courtyard/Talk.lua")
-- The drawing list shows the look while the "Idle" flag is set, which it always is.
NPC_AllocateStateVariables(1)
NPC_SetStateVariable(0, "Idle", 1)
AIM_SetActiveAIObject("DrawingList", "NPC", "", "AIDrawingList")
AIDL_AddAI("Body", "KeeperLook")
AIDL_SetBaseStateToActive()
AIS_AddState("Standing", 0, "NPC", "", "St|Idle", 0)
