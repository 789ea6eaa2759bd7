#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "actors/ObjectBase.h"
#include "actors/ObjectManager.h"
#include "actors/ShooterEnemyBase.h"
#include "actors/ShooterMiniGameManager.h"
#include "core/EntityManager.h"
#include "core/RootEntity.h"
#include "gui/GUIEnvironmentWindow.h"
#include "gui/GUIObjectFactory.h"
#include "support/GUIFixture.h"
#include "support/PlayerStandIn.h"
#include "support/TempDir.h"
#include "world/Camera.h"
#include "world/CameraManager.h"
#include "world/ChunkLoader.h"
#include "world/MapManager.h"

namespace {

using Calls = std::vector<std::string>;

// A level whose two layers say when they are drawn.
class RecordingLevel : public ChunkLoader {
 public:
  explicit RecordingLevel(Calls& calls) : calls(calls) {}
  int32_t OpenLevel(const char*) override { return 0; }
  void DrawLower(const Camera&) override { calls.push_back("lower"); }
  void DrawUpper(const Camera&) override { calls.push_back("upper"); }

 private:
  Calls& calls;
};

// An entity that says when it is drawn and paints the view's pixels with their coordinates.
class PaintingEntity : public RootEntity {
 public:
  explicit PaintingEntity(Calls& calls) : calls(calls) {}
  void Draw(ImageObject* target, Camera*) override {
    calls.push_back("entities");
    target->SetAsTarget();
    for (int y = 0; y < target->GetHeight() && y < 8; ++y) {
      for (int x = 0; x < target->GetWidth() && x < 8; ++x) al_put_pixel(x, y, Colour(x, y));
    }
  }
  static ALLEGRO_COLOR Colour(int x, int y) { return al_map_rgb(30 * x, 30 * y, 90); }

 private:
  Calls& calls;
};

// A world object that says when it is drawn.
class RecordingObject : public ObjectBase {
 public:
  explicit RecordingObject(Calls& calls) : calls(calls) {}
  void Draw(ImageObject*, Camera*) override { calls.push_back("objects"); }

 private:
  Calls& calls;
};

// A child widget that says when it is drawn.
class NamedChild : public RecordingWidget {
 public:
  Calls* calls = nullptr;

 protected:
  void Draw() override {
    if (calls != nullptr) calls->push_back(GetName());
    RecordingWidget::Draw();
  }
};

Rgba Expected(int x, int y) {
  return Rgba{static_cast<unsigned char>(30 * x), static_cast<unsigned char>(30 * y), 90, 255};
}

class GUIEnvironmentWindowTest : public GUIFixture {
 protected:
  GUIEnvironmentWindowTest() {
    gCameraManager = &cameras;
    gEntityManager = &entities;
    gObjectManager = &objects;
    gMapManager = (map = std::make_unique<MapManager>(MapManager::Readers{
                       nullptr, [this] { return std::make_unique<RecordingLevel>(calls); }}))
                      .get();
  }
  ~GUIEnvironmentWindowTest() override { map.reset(); }

  // A small camera, made active: its view is easy to check pixel by pixel.
  Camera* SmallCamera(int w, int h) {
    Camera* camera = cameras.AddCamera("Small", 0, 0, w, h);
    cameras.SetActiveCamera(camera);
    return camera;
  }

  // The "Default" camera in a wide world, with the player far to its right.
  Camera* DefaultCameraChasingAFarPlayer() {
    player.PlaceCentre(5000, 300);
    gWorldPlayer = &player;
    Camera* camera = cameras.FindCamera("Default");
    camera->SetBoundaries(0, 0, 10000, 600);
    return camera;
  }

  TempDir dir;
  Calls calls;
  CameraManager cameras{"Default", 0, 0, 800, 600};
  EntityManager entities;
  ObjectManager objects;
  std::unique_ptr<MapManager> map;
  PlayerStandIn player;
};

TEST_F(GUIEnvironmentWindowTest, DrawsTheWorldIntoTheViewInItsFixedOrder) {
  dir.Write("Level.plf", "");
  map->TransitionMap("Level");
  player.onDraw = [this](ImageObject*, Camera*) { calls.push_back("player"); };
  gWorldPlayer = &player;
  // An enemy of the shooter mini-game, animated right before it is drawn.
  struct ShooterEnemy : ShooterEnemyBase {
    explicit ShooterEnemy(Calls& calls) : calls(calls) {}
    void Animate() override { calls.push_back("shooter"); }
    Calls& calls;
  };
  ShooterMiniGameManager shooter;
  shooter.AddEnemy("enemy", new ShooterEnemy(calls));
  shooter.SetActive(true);
  gShooterMiniGameManager = &shooter;
  entities.RegisterInAll("npc", new PaintingEntity(calls));
  objects.Add("crate", new RecordingObject(calls));
  auto* window = Add<GUIEnvironmentWindow>("EnvironmentWindow", nullptr, 0, 0, 800, 600);
  Add<NamedChild>("Front", window, 0, 0, 4, 4)->calls = &calls;
  Add<NamedChild>("Back", window, 0, 0, 4, 4)->calls = &calls;
  calls.clear();

  DrawFrame();
  EXPECT_EQ(calls,
            (Calls{"lower", "player", "shooter", "entities", "objects", "Back", "Front", "upper"}));
  EXPECT_EQ(window->GetView(), cameras.FindCamera("Default")->GetImage());
  EXPECT_TRUE(window->IsDirty());
  // Drawn again on the next frame, and a missing shooter manager is skipped.
  gShooterMiniGameManager = nullptr;
  calls.clear();
  DrawFrame();
  EXPECT_EQ(calls, (Calls{"lower", "player", "entities", "objects", "Back", "Front", "upper"}));
}

TEST_F(GUIEnvironmentWindowTest, ScalesTheViewWithItsChildrenIntoTheWindow) {
  SmallCamera(4, 3);
  entities.RegisterInAll("npc", new PaintingEntity(calls));
  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    auto* window =
        Add<GUIEnvironmentWindow>("EnvironmentWindow", nullptr, 10, 20, 4 * scale, 3 * scale);
    // A white child over view pixel (3, 2).
    Add("Child", window, 3, 2, 1, 1);
    ALLEGRO_BITMAP* shown = DrawFrame();
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 4; ++x) {
        const Rgba wanted = x == 3 && y == 2 ? Rgba{255, 255, 255, 255} : Expected(x, y);
        for (int d : {0, scale - 1}) {
          EXPECT_EQ(PixelAt(shown, 10 + x * scale + d, 20 + y * scale + d), wanted)
              << x << ", " << y;
        }
      }
    }
    EXPECT_EQ(PixelAt(shown, 10 + 4 * scale, 20), (Rgba{0, 0, 0, 255}));
    window->Hide();
  }
}

TEST_F(GUIEnvironmentWindowTest, WithoutAnActiveCameraTheDefaultIsTakenOnce) {
  cameras.SetActiveCamera(nullptr);
  Add<GUIEnvironmentWindow>("EnvironmentWindow", nullptr, 0, 0, 80, 60);
  DrawFrame();
  DrawFrame();
  EXPECT_EQ(log.Text(),
            "Display Manager reports there is no active Camera.\n"
            "Setting the Active to the Default.\n");
  EXPECT_EQ(cameras.GetActiveCamera(), cameras.FindCamera("Default"));
}

TEST_F(GUIEnvironmentWindowTest, ACameraWithoutAViewDrawsNothingAndSaysSoEveryFrame) {
  SmallCamera(0, 3);
  objects.Add("crate", new RecordingObject(calls));
  auto* window = Add<GUIEnvironmentWindow>("EnvironmentWindow", nullptr, 0, 0, 8, 6);
  Add<NamedChild>("Child", window, 0, 0, 4, 4)->calls = &calls;
  DrawFrame();
  ALLEGRO_BITMAP* shown = DrawFrame();
  EXPECT_EQ(log.Text(),
            "Camera does not have an active view...\n"
            "Camera does not have an active view...\n");
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(window->GetView(), nullptr);
  EXPECT_EQ(PixelAt(shown, 1, 1), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(PixelAt(window->GetBuffer()->GetBitmap(), 1, 1), (Rgba{0, 0, 0, 0}));
}

TEST_F(GUIEnvironmentWindowTest, HiddenOrUnsizedWindowsDrawNoWorldAndDoNotFollow) {
  Camera* camera = DefaultCameraChasingAFarPlayer();
  Add<GUIEnvironmentWindow>("Unsized");
  Add<GUIEnvironmentWindow>("Hidden", nullptr, 0, 0, 80, 60)->Hide();
  entities.RegisterInAll("npc", new PaintingEntity(calls));
  DrawFrame();
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(camera->GetPositionX(), 0);
}

TEST_F(GUIEnvironmentWindowTest, TwoWindowsOnOneCameraFollowOncePerFrame) {
  Camera* camera = DefaultCameraChasingAFarPlayer();
  Add<GUIEnvironmentWindow>("EnvironmentWindow", nullptr, 0, 0, 80, 60);
  Add<GUIEnvironmentWindow>("Minimap", nullptr, 100, 0, 40, 30);
  DrawFrame();
  EXPECT_EQ(camera->GetPositionX(), 100);
  DrawFrame();
  EXPECT_EQ(camera->GetPositionX(), 200);
  EXPECT_EQ(camera->GetViewX(), 200);
}

TEST_F(GUIEnvironmentWindowTest, TheFactoryMakesItAndItTakesNoInputOfItsOwn) {
  std::unique_ptr<GUIBaseObject> made = CreateGUIObject("GUIEnvironmentWindow");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetType(), 3500);
  EXPECT_FALSE(made->LookupProperty("Anything").IsAlive());

  auto* window = Add<GUIEnvironmentWindow>("EnvironmentWindow", nullptr, 0, 0, 800, 600);
  EXPECT_FALSE(Mouse(GUIBaseObject::kPress, 50, 50));
  EXPECT_FALSE(Mouse(GUIBaseObject::kRelease, 50, 50));
  // Children hear the window's own (unscaled) coordinates.
  RecordingWidget* button = Add("Button", window, 40, 40, 20, 20);
  button->answer = true;
  EXPECT_TRUE(Mouse(GUIBaseObject::kPress, 50, 50));
  EXPECT_EQ(button->Clicks(), (std::vector<RecordingWidget::Heard>{{0, 50, 50}}));
}

}  // namespace
