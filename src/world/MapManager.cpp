#include "world/MapManager.h"

#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/LuaManager.h"
#include "core/script/ScriptCall.h"
#include "core/script/ScriptVariableStore.h"
#include "world/BackgroundManager.h"
#include "world/Camera.h"
#include "world/ChunkedLevelKind.h"
#include "world/ClipMapKind.h"
#include "world/FloatingAI.h"
#include "world/IsoMapKind.h"
#include "world/WorldClick.h"

namespace {

constexpr const char* kDefaultMap = "TolvaCube";

}  // namespace

MapManager::MapManager(Readers given)
    : readers(std::move(given)), environment(std::make_unique<ScriptVariableStore>()) {
  if (!readers.isoMap) readers.isoMap = [] { return std::make_unique<IsoMap>(); };
  if (!readers.chunkLoader) readers.chunkLoader = [] { return std::make_unique<ChunkLoader>(); };
  table = {
      {nullptr, ClipMapKind::Read},
      {IsoMapKind::kEnding,
       [this](const MapSource& source) { return IsoMapKind::Read(source, readers.isoMap); }},
      {ChunkedLevelKind::kEnding,
       [this](const MapSource& source) {
         return ChunkedLevelKind::Read(source, readers.chunkLoader);
       }},
  };
  RegisterWithLuaManager(kMapFamily);
}

MapManager::~MapManager() = default;

void MapManager::SetMapLoadTarget(const char* name) {
  if (name != nullptr) loadTarget = name;
}

void MapManager::TransitionMap(const char* name) {
  SetMapLoadTarget(name);
  LoadMap();
}

void MapManager::SetUpDefaultCamera(Camera* camera, uint8_t mapMode) {
  camera->SetMapModeFlag(mapMode);
  camera->SetBoundaries(0, 0, gScreenWidth, gScreenHeight);
  camera->Resize(gScreenWidth, gScreenHeight);
  // Without this the view of the last map stays, outside the new boundaries.
  camera->Recompute();
}

void MapManager::LoadMap() {
  const uint32_t load = ++loads;
  UnloadMap();
  if (!loadTarget) loadTarget = kDefaultMap;
  // A copy: the map script may set another load target.
  const std::string name = *loadTarget;
  for (const MapReader& row : table) {
    const std::string path = row.ending != nullptr ? MapPath("Maps", name + row.ending) : "";
    std::unique_ptr<MapKind> read = row.read(MapSource{name, path, textures});
    if (read) {
      Install(std::move(read), name, load);
      return;
    }
  }
}

void MapManager::Install(std::unique_ptr<MapKind> read, const std::string& name, uint32_t load) {
  kind = std::move(read);
  MapKind* installed = kind.get();
  const std::optional<uint8_t> mapMode = installed->GetCameraMapMode();
  if (Camera* camera = DefaultMapCamera(); camera != nullptr && mapMode) {
    SetUpDefaultCamera(camera, *mapMode);
  }
  installed->RunScript(name);
  // The script loaded another map: that load has set everything up, and this map is gone.
  if (loads != load || kind.get() != installed) return;
  installed->AfterScript();
}

void MapManager::UnloadMap() {
  if (gFloatingAI != nullptr) gFloatingAI->ClearFloatingAI();
  if (gEntityManager != nullptr) gEntityManager->Clear();
  kind.reset();
}

int32_t MapManager::TestCell(int32_t x, int32_t y, int32_t z) {
  return kind ? kind->TestCell(x, y, z) : 0;
}

void MapManager::HandleEvent(int32_t event, int32_t x, int32_t y) {
  if (event == kMousePressed || event == kMouseReleased) {
    if (gWorldClick != nullptr) {
      gWorldClick->SetMousePosition(static_cast<float>(x), static_cast<float>(y));
    }
    if (gEntityManager != nullptr) {
      gEntityManager->SetClickMode(event);
      gEntityManager->UpdateNPCs();
    }
    return;
  }
  if (event == kTick && kind) kind->Tick();
}

void MapManager::Draw(ImageObject* target, Camera* camera, int32_t pass) {
  if (target == nullptr || camera == nullptr) return;
  if (pass == 0) {
    if (backgroundDisplay && gBackgroundManager != nullptr) {
      gBackgroundManager->Draw(target, camera);
    }
    if (mapDisplay && kind) kind->DrawLower(target, *camera);
  } else if (pass == 1 && mapDisplay && kind) {
    kind->DrawUpper(target, *camera);
  }
}
