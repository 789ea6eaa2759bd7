#include <gtest/gtest.h>

#include "WorldFixture.h"
#include "world/BackgroundObject.h"

namespace {

class BackgroundTest : public WorldFixture {
 protected:
  // A w x 1 image whose column i has red i & 255, blue i >> 8 and green 255, so a pixel tells the
  // column drawn.
  ImageObject* AddStripes(const char* name, int w) {
    ImageObject* image = AddSceneryImage(name, w, 1, {0, 0, 0, 255});
    image->SetAsTarget();
    for (int i = 0; i < w; ++i) al_put_pixel(i, 0, al_map_rgba(i & 255, 255, i >> 8, 255));
    return image;
  }

  // The column each pixel of row 0 of the target shows, -1 where no stripe was drawn.
  std::vector<int> Row(ImageObject* target, int from, int count) {
    std::vector<int> reds;
    for (int x = from; x < from + count; ++x) {
      const Rgba pixel = PixelAt(target->GetBitmap(), x, 0);
      reds.push_back(pixel.g == 255 ? pixel.r + 256 * pixel.b : -1);
    }
    return reds;
  }

  void Scroll(int32_t viewLeft) {
    Camera& camera = DefaultCamera();
    camera.SetBoundaries(-100000, 0, 100000, 600);
    camera.Move(viewLeft - camera.GetPositionX(), 0);
    while (camera.GetViewX() != viewLeft) camera.Move(viewLeft - camera.GetPositionX(), 0);
  }
};

TEST_F(BackgroundTest, APlainObjectLeavesOnTheTickItsRightEdgeIsPastTheLeft) {
  AddSceneryImage("rock", 10, 10, {1, 2, 3, 255});
  ASSERT_TRUE(Run(R"(
    BackgroundManager_SpawnObject("rock", "rock", 100, 0, 0, 0, 0)
    BackgroundObject_SetSpeed(-2, 0)
  )"));
  ASSERT_EQ(scenery->GetCount(), 1);
  int ticks = 0;
  while (scenery->GetCount() == 1 && ticks < 1000) {
    scenery->Update();
    ++ticks;
  }
  EXPECT_EQ(ticks, 56);  // x = -12: x + width < 0
  EXPECT_EQ(scenery->GetActiveObject(), nullptr);
  ExpectFailure("BackgroundObject_SetSpeed(1, 1)",
                "BackgroundObject SetSpeed:  Failed, no active object\n");
}

TEST_F(BackgroundTest, TheGoneTestIsMadeOnTheCameraImageWhereTheObjectIsDrawn) {
  AddSceneryImage("hill", 50, 10, {1, 2, 3, 255});
  Scroll(3000);
  BackgroundObject* stays = scenery->SpawnObject("stays", "hill", 100, 0, 0, 0, 0);
  BackgroundObject* edge = scenery->SpawnObject("edge", "hill", 800, 0, 0, 0, 0);
  scenery->SpawnObject("left", "hill", -51, 0, 0, 0, 0);
  BackgroundObject* touching = scenery->SpawnObject("touching", "hill", -50, 0, 0, 0, 0);
  scenery->Update();
  ASSERT_EQ(scenery->GetCount(), 2);
  EXPECT_EQ(scenery->GetObjectAt(0), stays);
  EXPECT_EQ(scenery->GetObjectAt(1), touching);
  (void)edge;
  // Without an active camera nothing is gone.
  cameras->SetActiveCamera(nullptr);
  scenery->SpawnObject("far", "hill", 99999, 0, 0, 0, 0);
  scenery->Update();
  EXPECT_EQ(scenery->GetCount(), 3);
}

TEST_F(BackgroundTest, AModuloObjectRotatesItsColumnsByOffsetTimesFactor) {
  AddStripes("stripes", 400);
  ImageObject* target = DefaultCamera().GetImage();
  struct Case {
    int32_t viewLeft;
    float factor;
    int32_t fixedOffset;
    int firstColumn;  // drawn at x = 0
  } cases[] = {
      {1000, 0.5f, 0, 100},   // s = 500 % 400
      {0, 0.5f, 0, 0},        // s = 0: drawn whole
      {-300, 1.0f, 0, 100},   // s = -300 wraps to 100
      {1000, 0.5f, 40, 120},  // the routed fixed offset shifts the wrap
      {1000, -0.1f, 0, 300},  // s = -100 wraps to 300
  };
  for (const Case& c : cases) {
    Scroll(c.viewLeft);
    scenery->SetFixedOffset(c.fixedOffset, 0);
    scenery->SpawnObject("sky", "stripes", 0, 0, c.factor, 0, 0);
    ASSERT_TRUE(Run("BackgroundObject_SetModuloMode(1, 2, 3)"));
    target->ClearToColor(0, 0, 0, 255);
    scenery->Draw(target, &DefaultCamera());
    const int s = c.firstColumn;
    EXPECT_EQ(Row(target, 0, 2), (std::vector<int>{s, s + 1})) << c.viewLeft << " " << c.factor;
    // The columns before s follow at x + width - s.
    EXPECT_EQ(Row(target, 399 - s, 2), (std::vector<int>{399, s == 0 ? -1 : 0}))
        << c.viewLeft << " " << c.factor;
    // A fresh manager for the next case: modulo objects never leave.
    scenery.reset();
    gBackgroundManager = (scenery = std::make_unique<BackgroundManager>()).get();
  }
}

TEST_F(BackgroundTest, APlainObjectStaysPutOnTheImageAndAnEmptyImageDrawsNothing) {
  AddStripes("stripes", 8);
  AddSceneryImage("empty", 0, 0, {0, 0, 0, 0});
  Scroll(5000);
  scenery->SpawnObject("plain", "stripes", 10, 0, 3.0f, 0, 0);
  BackgroundObject* empty = scenery->SpawnObject("empty", "empty", 0, 0, 1.0f, 0, 0);
  ASSERT_NE(empty, nullptr);
  empty->SetModuloMode(true);
  ImageObject* target = DefaultCamera().GetImage();
  target->ClearToColor(0, 0, 0, 255);
  scenery->Draw(target, &DefaultCamera());
  EXPECT_EQ(Row(target, 9, 3), (std::vector<int>{-1, 0, 1}));
  EXPECT_EQ(scenery->GetOffsetX(), 5000);
}

TEST_F(BackgroundTest, TheFillColourIsKeptWhileFillIsOff) {
  ImageObject* target = DefaultCamera().GetImage();
  ASSERT_TRUE(Run("BackgroundManager_SetFillColor(0, 0, 128) BackgroundManager_DisableFill(7)"));
  EXPECT_FALSE(scenery->GetFillFlag());
  target->ClearToColor(9, 9, 9, 255);
  scenery->Draw(target, &DefaultCamera());
  EXPECT_EQ(PixelAt(target->GetBitmap(), 5, 5), (Rgba{9, 9, 9, 255}));
  scenery->SetFillColor(0, 0, 128);
  scenery->Draw(target, &DefaultCamera());
  EXPECT_EQ(PixelAt(target->GetBitmap(), 5, 5), (Rgba{0, 0, 128, 255}));
}

TEST_F(BackgroundTest, TheRouterReachesTheFixedOffsets) {
  PropertyRef x = router.Route("BackgroundManager", "Base", "FixedOffsetX");
  EXPECT_EQ(router.GetType(), 2);
  ASSERT_NE(x.AsInteger(), nullptr);
  *x.AsInteger() = 40;
  EXPECT_EQ(scenery->GetPropertyAddress("Base", "FixedOffsetY").GetType(), 2);
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(router.Route("BackgroundManager", "Base", "Speed").GetType(), 0);
  EXPECT_EQ(log.Text(), "Warning:  Property Speed not found in BackgroundManager\n");
  log.Clear();
  EXPECT_EQ(router.Route("BackgroundManager", "Other", "FixedOffsetX").GetType(), 0);
  EXPECT_EQ(log.Text(), "");
  scenery->Draw(DefaultCamera().GetImage(), &DefaultCamera());
  EXPECT_EQ(scenery->GetOffsetX(), 40);
}

TEST_F(BackgroundTest, ScriptFailuresSpawnNothing) {
  AddSceneryImage("rock", 10, 10, {1, 2, 3, 255});
  scenery->SpawnObject("rock", "rock", 0, 0, 0, 0, 0);
  BackgroundObject* active = scenery->GetActiveObject();
  ExpectFailures({
      {"BackgroundManager_SpawnObject('a', 'rock', 0, 0, 0, 0)",
       "BackgroundManager SpawnObject:  Failed, invalid argument list\n"},
      {"BackgroundManager_SpawnObject('a', 'missing', 0, 0, 0, 0, 0)",
       "DataLibrary:  Warning, Root/Images/Background/Scenery/missing does not exist\n"},
      {"BackgroundManager_SetFillColor(1, 2)",
       "BackgroundManager SetFillColor:  Failed, invalid argument list\n"},
      {"BackgroundObject_SetSpeed(1)",
       "BackgroundObject SetSpeed:  Failed, invalid argument list\n"},
  });
  EXPECT_EQ(scenery->GetCount(), 1);
  EXPECT_EQ(scenery->GetActiveObject(), active);
  EXPECT_FALSE(scenery->GetFillFlag());
  scenery.reset();
  gBackgroundManager = nullptr;
  ExpectFailure("BackgroundObject_SetModuloMode()",
                "BackgroundObject SetModuloMode:  Failed, manager not created\n");
}

}  // namespace
