// Path, following and slide packages on a small clip map.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/AIBasePathPackage.h"
#include "actors/AIFollowingPackage.h"
#include "actors/AISlideBouncePathPackage.h"
#include "actors/AISlidePathPackage.h"
#include "core/Dimensions.h"
#include "support/GlobalsFixture.h"
#include "support/LogCapture.h"

namespace {

// The owner's fields a package is wired to.
struct Owner {
  explicit Owner(int32_t x, int32_t y, int32_t size = 8) {
    body.x = x;
    body.y = y;
    body.w = body.h = size;
    RecomputeBounds(body);
  }
  Dimensions body;
  uint8_t idle = 0, moving = 0, running = 0;
  float speed = 0.0f, fastSpeed = 0.0f;
  int32_t timer = 0, direction = -5, facing = 0;
};

TEST(PathPackage, StepsAndArrival) {
  const struct {
    float speed;
    int32_t fromX, fromY, toX, toY;
    int ticks;
    int32_t endX, endY;
    bool finished;
  } kCases[] = {
      {0.5f, 10, 10, 40, 10, 20, 10, 10, false},  // under 1 a step is nothing
      {1.2f, 10, 10, 40, 40, 20, 10, 10, false},  // a diagonal of 0.85
      {3.0f, 10, 10, 9, 10, 1, 9, 10, false},     // one step of -1...
      {3.0f, 10, 10, 9, 10, 2, 9, 10, true},      // ...and arrival on the next tick
      {2.2f, 10, 10, 40, 10, 1, 12, 10, false},   // straight: 2
      {2.2f, 10, 10, 40, 40, 1, 11, 11, false},   // diagonal: 1 on each axis
      {5.0f, 10, 10, 12, 40, 1, 12, 13, false},   // no axis passes the target
  };
  for (const auto& c : kCases) {
    LogCapture log;
    Owner owner(c.fromX, c.fromY);
    owner.speed = c.speed;
    AIBasePathPackage path;
    path.SyncWith(&owner.idle, &owner.moving, &owner.speed, &owner.body, &owner.timer,
                  &owner.direction);
    path.SetTarget(c.toX, c.toY);
    for (int i = 0; i < c.ticks; ++i) path.Update();
    const std::string what = "speed " + std::to_string(c.speed) + " to " + std::to_string(c.toX) +
                             "," + std::to_string(c.toY);
    EXPECT_EQ(owner.body.x, c.endX) << what;
    EXPECT_EQ(owner.body.y, c.endY) << what;
    EXPECT_EQ(owner.body.minX, c.endX - 4) << what;
    EXPECT_EQ(path.IsFinished(), c.finished) << what;
    EXPECT_EQ(log.Text(), c.finished ? "NPC has pathed to this location!\n" : "") << what;
    if (c.finished) {
      EXPECT_EQ(owner.idle, 1);
      EXPECT_EQ(owner.moving, 0);
    }
  }
}

TEST(PathPackage, MissingWiringIsReportedAndLeavesItInert) {
  LogCapture log;
  Owner owner(0, 0);
  AIBasePathPackage path;
  path.SyncWith(&owner.idle, nullptr, &owner.speed, &owner.body, &owner.timer, &owner.direction);
  path.SetTarget(5, 5);
  path.Update();
  EXPECT_FALSE(path.IsSynced());
  const std::vector<std::string> lines = log.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "AIBPP SyncWith:  Failed, one of the pointers was invalid\n");
  EXPECT_EQ(lines[1].rfind("Dump:  0x", 0), 0u);
  EXPECT_NE(lines[1].find(" (nil) 0x"), std::string::npos);

  log.Clear();
  AISlideBouncePathPackage bounce;
  bounce.SyncWith(&owner.body, nullptr);
  AIFollowingPackage follow;
  follow.SyncWith(&owner.idle, &owner.moving, nullptr, &owner.speed, &owner.fastSpeed, &owner.body,
                  &owner.timer, &owner.direction);
  const std::vector<std::string> more = log.Lines();
  ASSERT_EQ(more.size(), 4u);
  EXPECT_EQ(more[0], "AISBPP SyncWith:  Failed, one of the pointers was invalid\n");
  EXPECT_EQ(more[2], "AIFP SyncWith:  Failed, one of the pointers was invalid\n");
  EXPECT_EQ(std::count(more[3].begin(), more[3].end(), ' '), 9);  // eight addresses
}

TEST(FollowingPackage, DistanceChoosesTheGait) {
  const struct {
    int32_t targetX;
    int32_t endX;
    uint8_t idle, walking, running;
  } kCases[] = {
      {112, 4, 0, 0, 0},  // 100 to 125 at first: the initial 2.0, flags as they were
      {200, 9, 0, 0, 1},  // beyond 125: the fast speed, running
      {80, 5, 0, 1, 0},   // under 100: the speed, walking
      {40, 2, 1, 0, 0},   // within 50: idle, no step
  };
  for (const auto& c : kCases) {
    Owner owner(2, 0);
    owner.speed = 3.0f;
    owner.fastSpeed = 7.5f;
    int32_t x = c.targetX, y = 0;
    Lifetime point;
    AIFollowingPackage follow;
    follow.SyncWith(&owner.idle, &owner.moving, &owner.running, &owner.speed, &owner.fastSpeed,
                    &owner.body, &owner.timer, &owner.direction);
    follow.SetTargetPointers(PropertyRef::Integer(x, point.Token()),
                             PropertyRef::Integer(y, point.Token()));
    follow.Update();
    EXPECT_EQ(owner.body.x, c.endX) << c.targetX;
    EXPECT_EQ(owner.idle, c.idle) << c.targetX;
    EXPECT_EQ(owner.moving, c.walking) << c.targetX;
    EXPECT_EQ(owner.running, c.running) << c.targetX;
    EXPECT_FALSE(follow.IsFinished());
  }
}

// A 64 x 64 clip map: '#' is clipped; outside is clipped too.
std::vector<std::string> gGrid;

bool GridIsSolid(int32_t x, int32_t y, int32_t) {
  if (y < 0 || y >= static_cast<int32_t>(gGrid.size())) return true;
  if (x < 0 || x >= static_cast<int32_t>(gGrid[y].size())) return true;
  return gGrid[y][x] == '#';
}

class SlidePackageTest : public GlobalsFixture {
 protected:
  SlidePackageTest() { gGrid.assign(64, std::string(64, '.')); }

  void Row(int y) { gGrid[y] = std::string(64, '#'); }
  void Column(int x) {
    for (std::string& row : gGrid) row[x] = '#';
  }

  LogCapture log;
};

TEST_F(SlidePackageTest, LimitsNeverSetHoldItStill) {
  for (double gravity : {0.0, 1.0}) {
    Owner owner(20, 20);
    AISlidePathPackage slide;
    slide.SetCellTest(&GridIsSolid);
    slide.SyncWith(&owner.body);
    slide.SetPhysicsValues(5, 5, 0, 0, gravity);
    for (int i = 0; i < 3; ++i) slide.Update();
    EXPECT_EQ(owner.body.x, 20);
    EXPECT_EQ(owner.body.y, 20);
    EXPECT_EQ(slide.IsFinished(), gravity == 0.0) << gravity;
  }
}

TEST_F(SlidePackageTest, AFallLandsOnTheFloor) {
  Row(30);
  for (bool stopOnLanding : {false, true}) {
    Owner owner(20, 10);
    AISlidePathPackage slide;
    slide.SetCellTest(&GridIsSolid);
    slide.SyncWith(&owner.body);
    slide.SetPhysicsValues(3, 0, stopOnLanding ? -1 : 0, 0, 1);
    slide.SetSpeedLimits(-10, 10, -10, 10);
    for (int i = 0; i < 12; ++i) slide.Update();
    EXPECT_EQ(owner.body.y, 27);
    EXPECT_TRUE(slide.IsLanded());
    // Stopping on landing ends the slide; without it the body keeps sliding along the floor.
    EXPECT_EQ(slide.GetVelocityX(), stopOnLanding ? 0 : 3);
    EXPECT_EQ(slide.IsFinished(), stopOnLanding);
  }
}

TEST_F(SlidePackageTest, FiftyPixelsATickAtMost) {
  Owner owner(2, 2, 2);  // at the map's corner so it can cross it
  gGrid.assign(64, std::string(200, '.'));
  AISlidePathPackage slide;
  slide.SetCellTest(&GridIsSolid);
  slide.SyncWith(&owner.body);
  slide.SetPhysicsValues(60, 0, 0, 0, 0);
  slide.SetSpeedLimits(-100, 100, -100, 100);
  slide.Update();
  EXPECT_EQ(owner.body.x, 52);
  EXPECT_EQ(log.Text(), "Movement loop got caught\n");
}

TEST_F(SlidePackageTest, NarrowBodiesAndTheCeiling) {
  Column(30);
  // Three pixels wide: no pixel of the box is tested across, so the wall does not stop it.
  Owner thin(25, 20, 3);
  AISlidePathPackage slide;
  slide.SetCellTest(&GridIsSolid);
  slide.SyncWith(&thin.body);
  slide.SetPhysicsValues(10, 0, 0, 0, 0);
  slide.SetSpeedLimits(-10, 10, -10, 10);
  slide.Update();
  EXPECT_EQ(thin.body.x, 35);

  // A rising body stops under a ceiling one pixel thick.
  Row(5);
  Owner riser(20, 20);
  AISlidePathPackage rise;
  rise.SetCellTest(&GridIsSolid);
  rise.SyncWith(&riser.body);
  rise.SetPhysicsValues(0, -20, 0, 0, 0);
  rise.SetSpeedLimits(-20, 20, -20, 20);
  rise.Update();
  EXPECT_EQ(riser.body.y, 9);
  EXPECT_EQ(riser.body.minY, 5);
  EXPECT_EQ(rise.GetVelocityY(), 0);
}

TEST_F(SlidePackageTest, ABounceReversesAndTurnsTheOwner) {
  Column(30);
  for (int32_t facing : {0, 1, 7}) {
    Owner owner(20, 20);
    owner.facing = facing;
    AISlideBouncePathPackage bounce;
    bounce.SetCellTest(&GridIsSolid);
    bounce.SyncWith(&owner.body, &owner.facing);
    bounce.SetPhysicsValues(8, 0, 0, 0, 0);
    bounce.SetSpeedLimits(-10, 10, -10, 10);
    bounce.Update();
    EXPECT_EQ(bounce.GetVelocityX(), -8) << facing;
    EXPECT_EQ(owner.facing, facing == 0 ? 1 : 0) << facing;
    EXPECT_FALSE(bounce.IsFinished());
    EXPECT_FALSE(bounce.IsLanded());
  }
  // Under 2 on both axes it comes to rest.
  Owner slow(10, 10);
  AISlideBouncePathPackage rest;
  rest.SetCellTest(&GridIsSolid);
  rest.SyncWith(&slow.body, &slow.facing);
  rest.SetPhysicsValues(1.5, -1.9, 0, 0, 0);
  rest.SetSpeedLimits(-10, 10, -10, 10);
  rest.Update();
  EXPECT_TRUE(rest.IsFinished());
}

}  // namespace
