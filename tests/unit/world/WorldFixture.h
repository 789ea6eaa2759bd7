#pragma once

#include <memory>
#include <string>

#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptCall.h"
#include "core/script/ScriptVariableStore.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "resources/PathManager.h"
#include "support/AllegroHeadless.h"
#include "support/LuaFixture.h"
#include "world/BackgroundManager.h"
#include "world/Camera.h"
#include "world/CameraManager.h"
#include "world/ChunkedLevelKind.h"
#include "world/ClipMapKind.h"
#include "world/IsoMapKind.h"
#include "world/MapManager.h"

// The world's managers as start-up makes them (the "Default" camera over an 800 x 600 screen,
// "Maps/" and "MapScripts/" folders), each in its global, on the fixture's Lua manager. The map
// manager is made by each test, so that it can hand in its own map readers.
class WorldFixture : public LuaFixture {
 protected:
  struct CurrentMapScope : EnvironmentScope {
    ScriptVariableStore* GetEnvironmentVariables() const override {
      return gMapManager != nullptr ? gMapManager->GetEnvironmentVariables() : nullptr;
    }
  };

  WorldFixture() {
    // Each test makes its own map manager: the scope follows whichever is current. Static, so that
    // it outlives whatever the test leaves behind.
    static CurrentMapScope currentMap;
    gEnvironmentScope = &currentMap;
    cameras = std::make_unique<CameraManager>("Default", 0, 0, gScreenWidth, gScreenHeight);
    RegisterScriptFunctions(State(), kCameraFamily.functions);
    gDataLibrary = library.get();
    gEntityManager = &entities;
    gPathManager = &paths;
    gPropertyManager = &router;
    gCameraManager = cameras.get();
    gBackgroundManager = (scenery = std::make_unique<BackgroundManager>()).get();
    paths.AddPath("Maps", "Maps/");
    paths.AddPath("MapScripts", "MapScripts/");
    library->AddSection("Images");
    library->AddCatalogue("Images", "Background");
    library->AddHeading("Images", "Background", "Scenery");
    log.Clear();
  }
  ~WorldFixture() override {
    map.reset();
    scenery.reset();
  }

  void MakeMapManager(MapManager::Readers readers = {}) {
    map.reset();
    gMapManager = (map = std::make_unique<MapManager>(std::move(readers))).get();
  }

  Camera& DefaultCamera() { return *cameras->GetCamera(0); }

  // The kind of map loaded now, as the tests name them.
  enum class Kind { None, Isometric, ClipMap, Chunked };
  Kind LoadedKind() const {
    if (map->GetLoaded<IsoMapKind>() != nullptr) return Kind::Isometric;
    if (map->GetLoaded<ClipMapKind>() != nullptr) return Kind::ClipMap;
    if (map->GetLoaded<ChunkedLevelKind>() != nullptr) return Kind::Chunked;
    return Kind::None;
  }
  // The loaded clip map; none while another kind is loaded.
  DefinedMap* LoadedClipMap() const {
    ClipMapKind* clip = map->GetLoaded<ClipMapKind>();
    return clip != nullptr ? &clip->GetMap() : nullptr;
  }

  // Registers a new owned w x h image of one colour under Images/Background/Scenery/name.
  ImageObject* AddSceneryImage(const char* name, int w, int h, Rgba colour) {
    auto* image = new ImageObject();
    image->Create(w, h, &gOpenGLMode);
    image->ClearToColor(colour.r, colour.g, colour.b, colour.a);
    library->Register("Images", "Background", "Scenery", name, image);
    return image;
  }

  // Allegro first: the cameras and the images make bitmaps.
  bool allegro = (StartAllegroHeadless(), true);
  std::unique_ptr<DataLibrary> library = std::make_unique<DataLibrary>();
  EntityManager entities;
  PathManager paths;
  PropertyManager router;
  std::unique_ptr<CameraManager> cameras;
  std::unique_ptr<BackgroundManager> scenery;
  std::unique_ptr<MapManager> map;
};
