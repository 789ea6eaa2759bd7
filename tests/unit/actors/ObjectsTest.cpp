#include <gtest/gtest.h>

#include <cstdlib>

#include "ActorsFixture.h"
#include "actors/ObjectItem.h"
#include "actors/ObjectStaticAnimation.h"

namespace {

class ObjectsTest : public ActorsFixture {};

TEST_F(ObjectsTest, FailureLinesComeInTheirOrder) {
  ExpectFailures({
      {"OBJ_SetCoordinates(1, 2)", "Object SetCoordinates:  Failed, invalid argument list\n"},
      {"OBJ_SetCoordinates(1, 2, 3)", "Object SetCoordinates:  Failed, Active Object not set\n"},
      {"OBJ_SetDimensions(1, 2, 3)", "Object SetDimensions:  Failed, Active Object not set\n"},
      {"OBJ_SetKillScript(nil, 2)", "Object SetKillScript:  Failed, invalid argument list\n"},
      {"OBJSA_SetAnimationData('a', 0, 0)",
       "ObjectStaticAnimation SetAnimationData:  Failed, invalid argument list\n"},
      {"OBJM_CreateObject('x')",
       "OBJM Create Object:  Failed, not enough arguments to determine type\n"},
      {"OBJM_CreateObject('x', 'Cube')", "OBJM Create Object:  Failed, no type Cube found\n"},
      {"OBJM_CreateObject('x', 'Item', 1, 2)",
       "OBJM Create Object:  Failed, invalid argument list for an Item\n"},
      {"OBJM_CreateObject(nil, 'Projectile')",
       "OBJM Create Object:  Failed, invalid argument list for a Projectile\n"},
      {"OBJM_CreateObject('x', 'SimpleProjectile', 1)",
       "OBJM Create Object:  Failed, invalid argument list for a Simple Projectile\n"},
      {"OBJM_CreateObject('x', 'ChillProjectile')",
       "OBJM Create Object:  Failed, invalid argument list for a Chill Projectile\n"},
      {"OBJM_CreateObject('x', 'StaticAnimation', 3)",
       "OBJM Create Object:  Failed, invalid argument list for a Static Animation\n"},
      {"OBJM_SetActiveObject('none')",
       "OBJM SetActiveObject:  Warning, object none was not found\n"},
      {"OBJM_SetActiveObjectByID(99999)",
       "OBJM SetActiveObjectByID:  Warning, object ID 99999 was not found\n"},
  });
  EXPECT_EQ(objects->GetCount(), 0);

  ASSERT_TRUE(Run("OBJM_CreateObject('sa', 'StaticAnimation')"));
  ExpectFailures({
      {"OBJPB_SetTargetFlags(1)",
       "OBJPB SetTargetFlags:  Failed, Active Object is not a Projectile\n"},
      {"OBJPB_SetDisplayData('a', 'b', 0, 0, 0)",
       "OBJPB SetDisplayData:  Failed, Active Object is not a Projectile\n"},
  });
  ASSERT_TRUE(Run("OBJM_CreateObject('p', 'Projectile')"));
  ExpectFailures({
      {"OBJSA_SetAnimationData('a', 0, 0, 1)",
       "ObjectStaticAnimation SetAnimationData:  Failed, Active Object pointer is of the wrong "
       "type\n"},
      {"OBJPB_SetDisplayData('nowhere', 'nothing', 0, 0, 0)",
       "OBJPB_SetDisplayData:  Warning, Animation not found\n"
       "OBJPB_SetDisplayData:  Warning, SpawnFrame not found\n"},
  });
}

TEST_F(ObjectsTest, AMissingImageAddsNoItemAndKeepsTheActiveObject) {
  ASSERT_TRUE(Run("OBJM_CreateObject('first', 'Projectile')"));
  ObjectBase* first = objects->GetActiveObject();
  ExpectFailure("OBJM_CreateObject('i', 'Item', 1, 2, 3, 4, 5, 6, 'nothing')",
                "OBJM Create Object: Failed, did not find Bitmap nothing\n");
  EXPECT_EQ(objects->GetCount(), 1);
  EXPECT_EQ(objects->GetActiveObject(), first);
}

TEST_F(ObjectsTest, LookUpsTakeTheFirstAndAMissTakesTheActiveObjectAway) {
  ASSERT_TRUE(
      Run("OBJM_CreateObject('twin', 'Projectile') OBJM_CreateObject('twin', 'Projectile')"));
  ObjectBase* second = objects->GetActiveObject();
  ASSERT_TRUE(Run("OBJM_SetActiveObject('twin')"));
  EXPECT_NE(objects->GetActiveObject(), second);
  EXPECT_EQ(objects->FindByID(second->GetID()), second);
  log.Clear();
  ASSERT_TRUE(Run("OBJM_SetActiveObject('nobody') OBJ_SetCoordinates(1, 2, 3)"));
  EXPECT_EQ(log.Text(),
            "OBJM SetActiveObject:  Warning, object nobody was not found\n"
            "Object SetCoordinates:  Failed, Active Object not set\n");
}

TEST_F(ObjectsTest, AStaticAnimationLivesForItsLifetimeAndLeavesTheNextTick) {
  for (int lifetime : {1, 0, -5, 3}) {
    ASSERT_TRUE(
        Run("OBJM_CreateObject('sa', 'StaticAnimation') OBJSA_SetAnimationData('none', 0, "
            "4, " +
            std::to_string(lifetime) + ")"));
    auto* animation = static_cast<ObjectStaticAnimation*>(objects->GetActiveObject());
    const int updates = lifetime > 1 ? lifetime : 1;
    Tick(updates);
    EXPECT_TRUE(animation->IsDead()) << lifetime;
    EXPECT_EQ(animation->GetTime(), 4 + updates) << lifetime;
    EXPECT_EQ(objects->GetCount(), 1) << lifetime;
    // Deleted at the start of the next tick, and no longer the active object.
    Tick();
    EXPECT_EQ(objects->GetCount(), 0) << lifetime;
    EXPECT_EQ(objects->GetActiveObject(), nullptr) << lifetime;
  }
  ExpectFailure("OBJ_SetKillScript('k.lua', 1)",
                "Object SetKillScript:  Failed, Active Object not set\n");
}

// The kick's spread comes from the runtime's rand, drawn only for an item within reach.
TEST_F(ObjectsTest, AKickReachesWithin19OnEveryAxis) {
  ASSERT_TRUE(Run("OBJM_CreateObject('ball', 'Item', 100, 100, -50, 32, 32, 0, 'ball')"));
  auto* item = static_cast<ObjectItem*>(objects->GetActiveObject());
  EXPECT_NE(item->GetShadow(ObjectItem::kShadowT), nullptr);

  struct Case {
    int32_t dx, dy, dz;
    bool reaches;
  } cases[] = {{19, -19, 19, true}, {20, 0, 0, false}, {0, -20, 0, false}, {0, 0, 20, false}};
  for (const Case& c : cases) {
    item->GetPhysicsPack()->SetSpeeds(0, 0, 0);
    std::srand(11);
    const int r1 = std::rand() % 101 - 50;
    const int r2 = std::rand() % 101 - 50;
    std::srand(11);
    objects->ApplyImpulse(100 + c.dx, 100 + c.dy, -50 + c.dz, 4.0f, 1.0f, -6.0f);
    const BasePhysicsPack& pack = *item->GetPhysicsPack();
    if (c.reaches) {
      EXPECT_FLOAT_EQ(pack.GetXSpeed(), 4.0f);
      EXPECT_FLOAT_EQ(pack.GetYSpeed(), 1.0f + static_cast<float>(r1 / 20.0));
      EXPECT_FLOAT_EQ(pack.GetZSpeed(), -6.0f + static_cast<float>(r2 / 10.0));
    } else {
      EXPECT_FLOAT_EQ(pack.GetXSpeed(), 0.0f) << c.dx << c.dy << c.dz;
      EXPECT_EQ(std::rand() % 101 - 50, r1) << "rand was drawn";
    }
  }
}

// The starting limits let a kicked item slide, hop and come back to the floor.
TEST_F(ObjectsTest, AKickedItemSlidesHopsAndLands) {
  ASSERT_TRUE(Run("OBJM_CreateObject('ball', 'Item', 200, 200, 0, 16, 16, 0, 'ball')"));
  ObjectBase* item = objects->GetActiveObject();
  std::srand(3);
  objects->ApplyImpulse(200, 200, 0, 4.0f, 0.0f, -8.0f);
  int highest = 0;
  for (int i = 0; i < 300; ++i) {
    Tick();
    highest = std::min(highest, item->GetDimensions().maxZ);
  }
  EXPECT_GT(item->GetDimensions().x, 220);
  EXPECT_LT(highest, -10);
  EXPECT_EQ(item->GetDimensions().maxZ, 0);
  EXPECT_FLOAT_EQ(item->GetPhysicsPack()->GetXSpeed(), 0.0f);
  EXPECT_GT(item->GetPhysicsAngle(), 0.0f);
}

}  // namespace
