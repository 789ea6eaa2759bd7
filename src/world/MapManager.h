#pragma once

#include <cstdint>
#include <functional>
#include <lua.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/script/EnvironmentScope.h"
#include "core/script/ScriptFamily.h"
#include "world/MapKind.h"
#include "world/TextureLookupList.h"

class Camera;
class ChunkLoader;
class DataHeading;
class ImageObject;
class IsoMap;
class IsoTileTexture;
class ScriptVariableStore;

// The one owner of the current map. A map name loads as the first kind of its table that reads
// it: "MAPNONE" (exactly) is a clip map built by scripts; otherwise "Maps" + name + ".slf" read as
// an isometric map, else "Maps" + name + ".plf" as a chunked level. Each kind but the clip map
// runs "MapScripts" + name + ".lua". It also holds the environment scope of script variables,
// which outlives every map.
class MapManager : public EnvironmentScope {
 public:
  // Event codes of HandleEvent.
  static constexpr int32_t kMousePressed = 0;
  static constexpr int32_t kMouseReleased = 1;
  static constexpr int32_t kTick = -1;

  // Makes the map readers (tests hand in their own); empty members make the built-in ones.
  struct Readers {
    std::function<std::unique_ptr<IsoMap>()> isoMap;
    std::function<std::unique_ptr<ChunkLoader>()> chunkLoader;
  };

  // Creates the environment store, the table of map readers, and registers the map script
  // functions.
  explicit MapManager(Readers readers = {});
  ~MapManager();
  MapManager(const MapManager&) = delete;
  MapManager& operator=(const MapManager&) = delete;

  void SetMapLoadTarget(const char* name);
  const std::optional<std::string>& GetMapLoadTarget() const { return loadTarget; }
  // Unloads the current map and loads the load target ("TolvaCube" when none was set). A map
  // script may load another map: the outer load then skips what follows its script.
  void LoadMap();
  void TransitionMap(const char* name);
  // Clears the floating AI and every entity, then destroys the map. Triggers, scenery, cameras,
  // objects and the environment store stay.
  void UnloadMap();

  // The map loaded now when it is of that kind, else none.
  template <typename K>
  K* GetLoaded() const {
    return dynamic_cast<K*>(kind.get());
  }
  // Each kind's own answer: isometric and chunked 1 = free (outside 0), clip map 1 = clipped
  // (outside 1), no map 0. Read it through CellTest.h, which names the sense a caller wants.
  int32_t TestCell(int32_t x, int32_t y, int32_t z);
  // Presses (0) and releases (1) go to the NPCs through the entity registry's click mode; the
  // per-tick call (-1) streams a chunked level around the player. Other events do nothing.
  void HandleEvent(int32_t event, int32_t x, int32_t y);
  // Pass 0: the scenery (when shown), then the map's lower layer; pass 1: the upper layer.
  void Draw(ImageObject* target, Camera* camera, int32_t pass);

  // The tile textures of isometric maps (see TextureLookupList): the look-ups from the heading's
  // "StandardTextures" container (warning when there is no heading or no such entry), the queues
  // an isometric map file fills, and the loaded textures in their slots.
  void BuildLookupList() { textures.BuildLookupList(textureFileHeading); }
  void QueueTexture(const char* name, int32_t slot) { textures.QueueTexture(name, slot); }
  void LoadQueuedTextures() { textures.LoadQueuedTextures(); }
  void ClearTextureQueues() { textures.ClearTextureQueues(); }
  void FreeTextures() { textures.FreeTextures(); }
  int32_t GetQueuedTextureCount() const { return textures.GetQueuedTextureCount(); }
  const std::vector<std::unique_ptr<IsoTileTexture>>& GetTextureSlots() const {
    return textures.GetTextureSlots();
  }
  TextureLookupList& GetTextures() { return textures; }

  ScriptVariableStore* GetEnvironmentVariables() const override { return environment.get(); }

  bool GetMapDisplayState() const { return mapDisplay; }
  bool GetBackgroundDisplayState() const { return backgroundDisplay; }
  void SetMapDisplayState(bool on) { mapDisplay = on; }
  void SetBackgroundDisplayState(bool on) { backgroundDisplay = on; }
  DataHeading* GetTextureFileHeading() const { return textureFileHeading; }
  void SetTextureFileHeading(DataHeading* heading) { textureFileHeading = heading; }

  // How many loads have started since creation (wraps); a load whose script started another sees
  // it changed.
  uint32_t GetLoadCount() const { return loads; }

 private:
  // Makes the kind current, sets up the default camera for it and runs its script.
  void Install(std::unique_ptr<MapKind> read, const std::string& name, uint32_t load);
  // The default camera's set-up for a kind: map mode, boundaries (0, 0, screen), screen size.
  void SetUpDefaultCamera(Camera* camera, uint8_t mapMode);

  Readers readers;
  // By precedence; the first whose reader answers a kind is loaded.
  std::vector<MapReader> table;
  bool mapDisplay = true;
  bool backgroundDisplay = false;
  std::optional<std::string> loadTarget;
  std::unique_ptr<MapKind> kind;
  std::unique_ptr<ScriptVariableStore> environment;
  DataHeading* textureFileHeading = nullptr;
  TextureLookupList textures;
  uint32_t loads = 0;
};

// The seven "MapM_" functions; the map manager's constructor registers them.
extern const ScriptFamily kMapFamily;
