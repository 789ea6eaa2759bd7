#include "world/MapManager.h"

#include <cstdio>

#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/LuaManager.h"
#include "core/script/ScriptCall.h"
#include "core/script/ScriptVariableStore.h"
#include "platform/ContentFile.h"
#include "resources/DataLibrary.h"
#include "resources/PathManager.h"
#include "world/BackgroundManager.h"
#include "world/Camera.h"
#include "world/CameraManager.h"
#include "world/ChunkLoader.h"
#include "world/DefinedMap.h"
#include "world/FloatingAI.h"
#include "world/IsoMap.h"
#include "world/WorldClick.h"
#include "world/WorldPlayer.h"

namespace {

constexpr const char* kDefaultMap = "TolvaCube";
constexpr const char* kClipMapName = "MAPNONE";
constexpr int32_t kIsometricScriptCode = -1;
constexpr int32_t kChunkedScriptCode = -2;

// The path manager's prefix for the key + the file (the file alone without a path manager).
std::string MapPath(const char* key, const std::string& file) {
  return gPathManager != nullptr ? gPathManager->BuildPath(key, file) : file;
}

Camera* DefaultCamera() {
  return gCameraManager != nullptr ? gCameraManager->GetCamera(0) : nullptr;
}

void RunMapScript(const std::string& path, int32_t code) {
  if (gLuaManager != nullptr) gLuaManager->ExecuteScript(path.c_str(), code);
}

// The player's centre; false when there is no player.
bool PlayerCentre(int32_t& x, int32_t& y) {
  const Dimensions* player = PlayerBounds();
  if (player == nullptr) return false;
  x = player->x;
  y = player->y;
  return true;
}

}  // namespace

MapManager::MapManager(Readers given)
    : readers(std::move(given)), environment(std::make_unique<ScriptVariableStore>()) {
  if (!readers.isoMap) readers.isoMap = [] { return std::make_unique<IsoMap>(); };
  if (!readers.chunkLoader) readers.chunkLoader = [] { return std::make_unique<ChunkLoader>(); };
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

MapManager::Kind MapManager::GetKind() const {
  if (isoFlag) return Kind::Isometric;
  if (clipMapFlag) return Kind::ClipMap;
  if (chunkLevel) return Kind::Chunked;
  return Kind::None;
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
  clipMapFlag = false;
  if (!loadTarget) loadTarget = kDefaultMap;
  // A copy: the map script may set another load target.
  const std::string name = *loadTarget;

  if (name == kClipMapName) {
    clipMapFlag = true;
    clipMap = std::make_unique<DefinedMap>();
    return;
  }
  if (LoadIsometricMap(name)) return;

  Log("Isometric file pathname failed, check Lineart file instead...\n");
  const std::string level = MapPath("Maps", name + ".plf");
  if (!CanOpenContentFile(level.c_str())) {
    Log("Failed to find file!\n");
    return;
  }
  if (DefaultCamera() == nullptr) {
    Log("Failed to find default camera!\n");
    return;
  }
  SetUpDefaultCamera(DefaultCamera(), 0);
  chunkLevel = readers.chunkLoader();
  chunkLevel->OpenLevel(ContentPath(level).c_str());
  // Until there is a player to follow, the block lies around the level's first chunk; a player's
  // first tick moves it before anything is read.
  chunkLevel->SetActiveArea(0, 0);

  const std::string script = MapPath("MapScripts", name + ".lua");
  if (CanOpenContentFile(script.c_str())) {
    RunMapScript(script, kChunkedScriptCode);
  } else {
    Log("No matching script file found.\n");
  }
  // The script loaded another map: that load has set everything up, and this level is gone.
  if (loads != load || !chunkLevel) return;
  // The level's size wins over any boundaries the script set.
  if (Camera* camera = DefaultCamera()) {
    camera->SetBoundaries(0, 0, chunkLevel->GetChunksAcross() * ChunkLoader::kChunkSize,
                          chunkLevel->GetChunksDown() * ChunkLoader::kChunkSize);
    camera->Recompute();
  }
  // The block around where the script put the player is there before the first tick's moves test
  // its cells.
  int32_t centreX = 0, centreY = 0;
  if (PlayerCentre(centreX, centreY)) {
    chunkLevel->SetActiveArea(centreX / ChunkLoader::kChunkSize, centreY / ChunkLoader::kChunkSize);
    chunkLevel->Update();
  }
}

bool MapManager::LoadIsometricMap(const std::string& name) {
  UnloadMap();
  const std::string path = MapPath("Maps", name + ".slf");
  Log("MapManager:  Reading file from %s - ", path.c_str());
  std::FILE* file = OpenContentFile(path.c_str(), "rb");
  std::unique_ptr<IsoMap> map = readers.isoMap();
  const bool read = file != nullptr && map->ReadFile(file, textures) == IsoMap::kRead;
  // A failed read keeps neither the map nor the file.
  if (file != nullptr) std::fclose(file);
  if (!read) {
    Log("Failed\n");
    return false;
  }
  isoMap = std::move(map);
  isoFlag = true;
  Log("Done\n");
  if (Camera* camera = DefaultCamera()) SetUpDefaultCamera(camera, 1);

  const std::string script = MapPath("MapScripts", name + ".lua");
  Log("Trying to execute %s\n", script.c_str());
  RunMapScript(script, kIsometricScriptCode);
  return true;
}

void MapManager::UnloadMap() {
  if (gFloatingAI != nullptr) gFloatingAI->ClearFloatingAI();
  if (gEntityManager != nullptr) gEntityManager->Clear();
  if (isoFlag) {
    isoFlag = false;
    isoMap.reset();
  } else if (clipMapFlag) {
    clipMapFlag = false;
    clipMap.reset();
  } else {
    chunkLevel.reset();
  }
}

int32_t MapManager::TestCell(int32_t x, int32_t y, int32_t z) {
  switch (GetKind()) {
    case Kind::Isometric:
      return isoMap->IsCellEmpty(x, y, z);
    case Kind::ClipMap:
      return clipMap->GetCell(x, y);
    case Kind::Chunked:
      // The level's clip layer lies 65 pixels above the point asked for.
      return chunkLevel->TestCell(x, y < INT32_MIN + 65 ? INT32_MIN : y - 65);
    case Kind::None:
      break;
  }
  return 0;
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
  if (event != kTick || !chunkLevel) return;
  int32_t centreX = 0, centreY = 0;
  if (PlayerCentre(centreX, centreY)) {
    chunkLevel->SetActiveArea(centreX / ChunkLoader::kChunkSize, centreY / ChunkLoader::kChunkSize);
  }
  chunkLevel->Update();
  if (gWorldPlayer != nullptr) gWorldPlayer->SetGameMode(0);
}

void MapManager::Draw(ImageObject* target, Camera* camera, int32_t pass) {
  if (target == nullptr || camera == nullptr) return;
  if (pass == 0) {
    if (backgroundDisplay && gBackgroundManager != nullptr) {
      gBackgroundManager->Draw(target, camera);
    }
    if (!mapDisplay) return;
    switch (GetKind()) {
      case Kind::Isometric:
        isoMap->Draw(target, gWorldPlayer);
        break;
      case Kind::Chunked: {
        target->SetAsTarget();
        chunkLevel->DrawLower(*camera);
        if (gWorldPlayer != nullptr) gWorldPlayer->Draw(target, camera);
        break;
      }
      case Kind::ClipMap:
      case Kind::None:
        break;
    }
  } else if (pass == 1 && mapDisplay && GetKind() == Kind::Chunked) {
    target->SetAsTarget();
    chunkLevel->DrawUpper(*camera);
  }
}
