-- Quillmere sample game: the ground of the side-view rooms, run by Ridge.lua and Cave.lua after
-- their clip map is loaded. A clip map draws nothing, so each solid part is clipped and shown by an
-- NPC of the same size standing on it: NPCs go with every map load, so nothing of one room shows
-- in another. An enemy NPC takes no clicks. The looks last the whole game and are made once.
if not SceneryLooks then
  SceneryLooks = {}
end

-- Clips the rectangle x1, y1 to x2, y2 (half open) and shows the picture over it.
function PlaceGround(name, picture, x1, y1, x2, y2)
  DefinedMap_ClipArea(1, x1, y1, x2, y2)
  local look = "Ground" .. picture
  if not SceneryLooks[picture] then
    SceneryLooks[picture] = true
    AIM_CreateObject(look .. "Frame", "AnimationsList", "Animation")
    -- A row for each facing: an NPC draws the row of the way it faces.
    Anim_DeclareSizes(8, 1)
    for row = 0, 7 do
      Anim_SetFrame(row, 0, picture)
    end
    Anim_SetDuration(60)
    AIM_CreateObject(look, "AIDrawingPackageList", "AIDrawingPackage")
    AIDP_AllocateSpace(1)
    AIDP_SetAnimation(0, look .. "Frame")
  end
  local w, h = x2 - x1, y2 - y1
  NPCM_AddNPC(name, "EnemyNPC")
  -- The box is the centre -/+ half the size, so an even size puts it exactly on the rectangle.
  NPC_SetCoordinateData(x1 + w / 2, y1 + h / 2, 0, w, h, 8)
  NPC_SetDisplayData(0, 0, w, h)
  NPC_AllocateStateVariables(1)
  NPC_SetStateVariable(0, "Idle", 1)
  AIM_SetActiveAIObject("DrawingList", "NPC", "", "AIDrawingList")
  AIDL_AddAI("Body", look)
  AIDL_SetBaseStateToActive()
  AIS_AddState("Standing", 0, "NPC", "", "St|Idle", 0)
end
