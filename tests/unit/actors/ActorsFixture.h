#pragma once

#include <memory>
#include <string>

#include "actors/AIManager.h"
#include "actors/ObjectBase.h"
#include "actors/ObjectManager.h"
#include "actors/TargetRegistry.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Graveyard.h"
#include "core/script/PropertyManager.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "resources/PathManager.h"
#include "support/AllegroHeadless.h"
#include "support/LuaFixture.h"
#include "world/CameraManager.h"
#include "world/MapManager.h"

// The managers the world's inhabitants live among, as start-up makes them: the entity registry,
// router, the "Default" camera over 800 x 600, the AI manager, object manager and target registry,
// and a clip map of 640 x 480 free cells (cells outside it are solid). The data library holds a
// 32 x 32 image "ball" and the four shadows.
class ActorsFixture : public LuaFixture {
 protected:
  ActorsFixture() {
    StartAllegroHeadless();
    gDataLibrary = &library;
    gEntityManager = &entities;
    gPathManager = &paths;
    gPropertyManager = &router;
    gCameraManager =
        (cameras = std::make_unique<CameraManager>("Default", 0, 0, gScreenWidth, gScreenHeight))
            .get();
    gAIManager = (ai = std::make_unique<AIManager>()).get();
    gObjectManager = (objects = std::make_unique<ObjectManager>()).get();
    gTargetRegistry = (targets = std::make_unique<TargetRegistry>()).get();
    gFloatingAI = gAIManager;
    gMapManager = (map = std::make_unique<MapManager>()).get();
    map->TransitionMap("MAPNONE");
    Run("DefinedMap_SetDimensions(640, 480)");
    library.AddSection("Images");
    library.AddCatalogue("Images", "Things");
    library.AddHeading("Images", "Things", "Items");
    AddImage("Items", "ball", 32, 32);
    library.AddCatalogue("Images", "Misc");
    library.AddHeading("Images", "Misc", "Shadows");
    for (const char* shadow : {"ShadowL", "ShadowM", "ShadowS", "ShadowT"}) {
      AddImage("Shadows", shadow, 8, 4);
    }
    log.Clear();
  }

  ~ActorsFixture() override {
    map.reset();
    objects.reset();
    targets.reset();
    ai.reset();
    cameras.reset();
  }

  ImageObject* AddImage(const char* heading, const char* name, int w, int h) {
    auto* image = new ImageObject();
    image->Create(w, h, &gOpenGLMode);
    image->ClearToColor(200, 40, 40, 255);
    library.Register("Images", heading == std::string("Items") ? "Things" : "Misc", heading, name,
                     image);
    return image;
  }

  // One game tick of the inhabitants, in the loop's order, inside the loop's walk.
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      Graveyard::Walk walk;
      objects->Update();
      entities.Update();
    }
  }

  // Solid cells on the rectangle (half-open, as the clip map takes it).
  void Clip(int x1, int y1, int x2, int y2) {
    ASSERT_TRUE(Run("DefinedMap_ClipArea(1, " + std::to_string(x1) + ", " + std::to_string(y1) +
                    ", " + std::to_string(x2) + ", " + std::to_string(y2) + ")"));
  }

  DataLibrary library;
  EntityManager entities;
  PathManager paths;
  PropertyManager router;
  std::unique_ptr<CameraManager> cameras;
  std::unique_ptr<AIManager> ai;
  std::unique_ptr<ObjectManager> objects;
  std::unique_ptr<TargetRegistry> targets;
  std::unique_ptr<MapManager> map;
};
