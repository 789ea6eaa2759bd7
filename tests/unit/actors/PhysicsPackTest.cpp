#include <gtest/gtest.h>

#include "ActorsFixture.h"
#include "actors/AIBasePackage.h"
#include "actors/BasePhysicsPack.h"
#include "actors/PhysicsUltraSimple.h"
#include "core/Dimensions.h"

namespace {

// A 20 x 20 x 0 body centred on (100, 100) resting on the floor, its pack bound and given wide
// limits.
class PhysicsPackTest : public ActorsFixture {
 protected:
  PhysicsPackTest() {
    Place(100, 100, 0);
    pack.Bind(&body, &angle);
    pack.SetSpeedLimits(-100, 100, -100, 100, -100, 100);
  }

  void Place(int32_t x, int32_t y, int32_t z) {
    body.x = x;
    body.y = y;
    body.z = z;
    body.w = 20;
    body.h = 20;
    RecomputeBounds(body);
  }

  Dimensions body;
  float angle = 0.0f;
  BasePhysicsPack pack;
};

TEST_F(PhysicsPackTest, FrictionAndFloorBounce) {
  struct Case {
    float x, z;
    float wantX, wantZ;
  } cases[] = {
      {0.2f, 0.0f, 0.0f, 0.0f},    // within the ground friction: stops
      {-1.0f, 0.0f, -0.7f, 0.0f},  // loses 0.3
      {0.0f, 3.0f, 0.0f, -1.5f},   // lands faster than 1: half the speed, reversed
      {0.0f, 0.8f, 0.0f, 0.0f},    // lands slowly: stays down
  };
  for (const Case& c : cases) {
    Place(100, 100, 0);
    pack.SetSpeeds(c.x, 0.0f, c.z);
    pack.Update();
    EXPECT_FLOAT_EQ(pack.GetXSpeed(), c.wantX) << c.x << ", " << c.z;
    EXPECT_FLOAT_EQ(pack.GetZSpeed(), c.wantZ) << c.x << ", " << c.z;
  }
}

TEST_F(PhysicsPackTest, AirborneBodiesTakeAirFrictionAndGravity) {
  Place(100, 100, -40);
  pack.SetSpeeds(1.0f, 0.0f, 0.0f);
  pack.Update();
  EXPECT_FLOAT_EQ(pack.GetXSpeed(), 0.99f);
  EXPECT_FLOAT_EQ(pack.GetZSpeed(), 0.3f);
}

TEST_F(PhysicsPackTest, ForcesAreDividedByTheMass) {
  pack.SetMass(2.0f);
  pack.ApplyForce(4.0f, 0.0f, -5.0f);
  EXPECT_FLOAT_EQ(pack.GetXSpeed(), 2.0f);
  EXPECT_FLOAT_EQ(pack.GetZSpeed(), -2.5f);
  pack.SetMass(0.0f);
  pack.ApplyForce(4.0f, 4.0f, 4.0f);
  EXPECT_FLOAT_EQ(pack.GetXSpeed(), 2.0f);
}

TEST_F(PhysicsPackTest, TheAngleWrapsIntoOneTurn) {
  for (auto [start, want] : {std::pair{6.4f, 0.1168147f}, {-0.1f, 6.1831853f}}) {
    angle = start;
    pack.SetSpeeds(0.0f, 0.0f, 0.0f);
    pack.Update();
    EXPECT_NEAR(angle, want, 1e-4) << start;
  }
}

TEST_F(PhysicsPackTest, AWallBouncesTheAxisItStops) {
  // The body's box spans 90..110 on both axes; the x probe looks one pixel ahead, the y probe two.
  Clip(111, 0, 640, 480);
  pack.SetSpeeds(3.7f, 0.0f, 0.0f);
  pack.Move();
  EXPECT_EQ(body.x, 101);
  EXPECT_FLOAT_EQ(pack.GetXSpeed(), -1.85f);

  Run("DefinedMap_ClearClipping()");
  Place(100, 100, 0);
  Clip(0, 111, 640, 480);
  pack.SetSpeeds(0.0f, 1.0f, 0.0f);
  pack.Move();
  EXPECT_EQ(body.y, 100);
  EXPECT_FLOAT_EQ(pack.GetYSpeed(), -0.5f);
}

TEST_F(PhysicsPackTest, AMoveStopsAfterFiftyPasses) {
  pack.SetSpeeds(80.0f, 0.0f, 0.0f);
  pack.Move();
  EXPECT_EQ(body.x, 150);
  EXPECT_EQ(log.Text(), "Movement loop got caught\n");
}

TEST_F(PhysicsPackTest, AnAbsurdBoxIsBlockedWithoutProbingEveryCell) {
  Run("MapM_TransitionMap('nothing')");  // no map: every cell answers free
  body.w = body.h = 1 << 30;
  RecomputeBounds(body);
  EXPECT_FALSE(pack.IsBoxFree(1, 0));
  body.w = body.h = 20;
  RecomputeBounds(body);
  EXPECT_TRUE(pack.IsBoxFree(1, 0));
}

TEST_F(PhysicsPackTest, AnUnboundPackIgnoresUpdates) {
  BasePhysicsPack loose;
  loose.SetSpeeds(5.0f, 5.0f, 5.0f);
  loose.Update();
  EXPECT_FLOAT_EQ(loose.GetXSpeed(), 5.0f);
  EXPECT_FALSE(loose.IsBoxFree(0, 0));
}

TEST_F(PhysicsPackTest, AnUltraSimplePackStopsOnceOutsideTheViewAndStaysStopped) {
  PhysicsUltraSimple simple;
  Dimensions flying;
  float spin = 0.0f;
  flying.x = 820;  // the box lies right of the 800-wide view
  flying.w = flying.h = 10;
  RecomputeBounds(flying);
  simple.Bind(&flying, &spin);
  simple.SetSpeeds(2.5f, -1.5f, 0.0f);
  simple.Update();
  EXPECT_EQ(flying.x, 822);
  EXPECT_EQ(flying.y, -1);
  EXPECT_TRUE(simple.IsStopped());
  simple.Update();
  EXPECT_EQ(flying.x, 822);

  // Without an active camera it never stops.
  PhysicsUltraSimple free;
  free.Bind(&flying, &spin);
  free.SetSpeeds(100.0f, 0.0f, 0.0f);
  cameras->SetActiveCamera(nullptr);
  free.Update();
  EXPECT_FALSE(free.IsStopped());
  EXPECT_FLOAT_EQ(spin, 0.0f);
}

}  // namespace
