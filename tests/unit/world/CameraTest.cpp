#include <gtest/gtest.h>

#include "WorldFixture.h"
#include "support/PlayerStandIn.h"
#include "world/Camera.h"
#include "world/CameraManager.h"

namespace {

class CameraTest : public WorldFixture {
 protected:
  // The player's centre as the follow reads it.
  void PlacePlayer(int32_t x, int32_t y) {
    player.PlaceCentre(x, y);
    gWorldPlayer = &player;
  }

  PlayerStandIn player;
};

struct View {
  int32_t left, top, right, bottom;
  bool operator==(const View&) const = default;
};

View ViewOf(const Camera& camera) {
  return {camera.GetViewX(), camera.GetViewY(), camera.GetViewRight(), camera.GetViewBottom()};
}

std::ostream& operator<<(std::ostream& out, const View& view) {
  return out << "(" << view.left << ", " << view.top << ", " << view.right << ", " << view.bottom
             << ")";
}

TEST_F(CameraTest, ClampKeepsTheViewInsideAndTheMaximumWinsWhenTheBoundsAreNarrow) {
  struct Case {
    int32_t x, y;
    int32_t minX, minY, maxX, maxY;
    View expected;
  } cases[] = {
      {0, 0, 0, 0, 800, 600, {0, 0, 800, 600}},                  // the screen: no room
      {-50, -20, 0, 0, 2000, 2000, {0, 0, 800, 600}},            // pushed in from the low side
      {1500, 1600, 0, 0, 2000, 2000, {1200, 1400, 2000, 2000}},  // from the high side
      {300, 200, 0, 0, 2000, 2000, {300, 200, 1100, 800}},       // inside: as positioned
      {0, 0, 0, 0, 500, 400, {-300, -200, 500, 400}},            // narrower than the view
  };
  for (const Case& c : cases) {
    Camera camera(c.x, c.y, 800, 600);
    camera.SetBoundaries(c.minX, c.minY, c.maxX, c.maxY);
    camera.Recompute();
    EXPECT_EQ(ViewOf(camera), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(camera.GetPositionX(), c.x);
  }
}

TEST_F(CameraTest, FollowApproachesAHundredPixelsPerFrameAndSettlesAt352By252) {
  Camera& camera = DefaultCamera();
  camera.SetBoundaries(0, 0, 2000, 2000);
  PlacePlayer(1500, 1500);
  // The target position is (1148, 1248): 12 frames across, 13 down.
  for (int frame = 1; frame <= 12; ++frame) camera.FollowPlayer();
  EXPECT_EQ(ViewOf(camera), (View{1148, 1200, 1948, 1800}));
  camera.FollowPlayer();
  EXPECT_EQ(ViewOf(camera), (View{1148, 1248, 1948, 1848}));
  camera.FollowPlayer();
  EXPECT_EQ(ViewOf(camera), (View{1148, 1248, 1948, 1848}));
}

TEST_F(CameraTest, FollowStopsTheViewAtTheEdgeWhileThePositionRunsOn) {
  Camera& camera = DefaultCamera();
  camera.SetBoundaries(0, 0, 1000, 600);
  PlacePlayer(1500, 300);
  for (int frame = 0; frame < 20; ++frame) camera.FollowPlayer();
  EXPECT_EQ(camera.GetPositionX(), 1148);
  EXPECT_EQ(ViewOf(camera), (View{200, 0, 1000, 600}));
}

TEST_F(CameraTest, FollowDoesNothingWithoutRoomOrWithoutAPlayer) {
  Camera& camera = DefaultCamera();
  PlacePlayer(1500, 1500);
  camera.FollowPlayer();  // the screen's bounds
  EXPECT_EQ(camera.GetPositionX(), 0);
  camera.SetBoundaries(0, 0, 2000, 2000);
  gWorldPlayer = nullptr;
  camera.FollowPlayer();
  EXPECT_EQ(camera.GetPositionX(), 0);
}

TEST_F(CameraTest, SizesAreCappedAtTheScreenAndEmptyCamerasHoldNoImage) {
  Camera camera(0, 0, 320, 200);
  ASSERT_NE(camera.GetImage(), nullptr);
  EXPECT_EQ(camera.GetImage()->GetWidth(), 320);
  camera.Resize(1024, 768);
  EXPECT_EQ(camera.GetWidth(), 800);
  EXPECT_EQ(camera.GetHeight(), 600);
  ASSERT_NE(camera.GetImage(), nullptr);
  EXPECT_EQ(camera.GetImage()->GetHeight(), 600);
  camera.Resize(0, 600);
  EXPECT_EQ(camera.GetImage(), nullptr);
  for (auto [w, h] : {std::pair{0, 10}, {10, -1}, {100000, 10}}) {
    Camera empty(0, 0, w, h);
    EXPECT_EQ(empty.GetImage(), nullptr) << w << "x" << h;
  }
}

TEST_F(CameraTest, RectOverlapsCameraViewIsInclusive) {
  Camera camera(100, 100, 200, 200);
  camera.SetBoundaries(0, 0, 2000, 2000);
  camera.Recompute();
  EXPECT_TRUE(RectOverlapsCameraView({0, 0, 100, 100}, camera));      // a shared corner
  EXPECT_FALSE(RectOverlapsCameraView({0, 0, 99, 99}, camera));       // one pixel apart
  EXPECT_TRUE(RectOverlapsCameraView({300, 150, 400, 160}, camera));  // the right edge
  EXPECT_FALSE(RectOverlapsCameraView({301, 150, 400, 160}, camera));
}

TEST_F(CameraTest, ScriptFunctionsAddSelectRemoveAndBound) {
  ASSERT_TRUE(Run(R"(
    CM_AddCamera("Side", 10.9, 20, 320, 240)
    CM_AddCamera("Side", 0, 0, 100, 100)
    CM_SetActiveCamera("Side")
    Cam_SetBoundaries(0, 0, 5000, 4000)
  )"));
  EXPECT_EQ(log.Text(), "");
  ASSERT_EQ(cameras->GetCount(), 3);
  Camera* first = cameras->GetCamera(1);
  EXPECT_EQ(cameras->GetActiveCamera(), first);
  EXPECT_EQ(first->GetPositionX(), 10);
  EXPECT_EQ(first->GetMaxX(), 5000);
  EXPECT_EQ(cameras->GetCamera(2)->GetMaxX(), 800);  // the second of the name is untouched

  // Removing the active camera leaves none; the next of the name is found.
  ASSERT_TRUE(Run("CM_RemoveCamera('Side')"));
  EXPECT_EQ(cameras->GetActiveCamera(), nullptr);
  EXPECT_EQ(cameras->GetCount(), 2);
  ASSERT_TRUE(Run("CM_RemoveCamera('Nobody') CM_SetActiveCamera('Side')"));
  EXPECT_EQ(cameras->GetActiveCamera(), cameras->GetCamera(1));
  EXPECT_EQ(log.Text(), "");
}

TEST_F(CameraTest, ScriptFailuresChangeNothing) {
  Camera* active = cameras->GetActiveCamera();
  ExpectFailures({
      {"CM_AddCamera('a', 0, 0, 10)", "CM AddCamera:  Failed, invalid argument list\n"},
      {"CM_AddCamera(nil, 0, 0, 10, 10)", "CM AddCamera:  Failed, invalid argument list\n"},
      {"CM_RemoveCamera()", "CM RemoveCamera:  Failed, invalid argument list\n"},
      {"CM_RemoveCamera('Default')", "CM RemoveCamera:  Cannot remove the Default Camera\n"},
      {"CM_SetActiveCamera('a', 'b')", "CM SetActiveCamera:  Failed, invalid argument list\n"},
      {"CM_SetActiveCamera('Nobody')",
       "CM SetActiveCamera:  Failed, could not find camera Nobody\n"},
      {"Cam_SetBoundaries(0, 0, 1)", "Cam SetBoundaries:  Failed, invalid argument list\n"},
  });
  EXPECT_EQ(cameras->GetCount(), 1);
  EXPECT_EQ(cameras->GetActiveCamera(), active);
  EXPECT_EQ(DefaultCamera().GetMaxX(), 800);

  cameras->SetActiveCamera(nullptr);
  ExpectFailure("Cam_SetBoundaries(0, 0, 1, 1)",
                "Cam SetBoundaries:  Failed, Active Camera not set\n");
  gCameraManager = nullptr;
  ExpectFailure("CM_AddCamera('a', 0, 0, 10, 10)", "CM AddCamera:  Failed, manager not created\n");
}

}  // namespace
