#include <gtest/gtest.h>

#include <cstdlib>

#include "ActorsFixture.h"
#include "actors/ChillProjectile.h"
#include "actors/NPCBaseEnemy.h"
#include "actors/ProjectileBase.h"
#include "allegro5/allegro.h"

namespace {

// A seed whose first rand() decides a chill projectile's hop as wanted.
unsigned SeedForHop(bool hop) {
  for (unsigned seed = 1;; ++seed) {
    std::srand(seed);
    if ((std::rand() % 100 < 50) == hop) return seed;
  }
}

class ProjectilesTest : public ActorsFixture {
 protected:
  ProjectilesTest() {
    WriteScript("kill.lua", "kills = (kills or '') .. GetScriptCode() .. ' '\n");
    WriteScript("hit.lua", "hits = (hits or '') .. GetScriptCode() .. ' '\n");
  }

  ProjectileBase* Projectile(int32_t x, int32_t y, int32_t flags, const char* kind = "Projectile") {
    EXPECT_TRUE(Run(std::string("OBJM_CreateObject('p', '") + kind + "') OBJPB_SetCoordinateData(" +
                    std::to_string(x) + ", " + std::to_string(y) +
                    ", 0, 10, 10, 10) OBJ_SetKillScript('kill.lua', 0) OBJPB_SetTargetFlags(" +
                    std::to_string(flags) + ")"));
    return static_cast<ProjectileBase*>(objects->GetActiveObject());
  }

  ChillProjectile* Chill(int32_t x, int32_t y, bool hop, float speed = 0.0f) {
    std::srand(SeedForHop(hop));
    EXPECT_TRUE(Run("OBJM_CreateObject('c', 'ChillProjectile', " + std::to_string(speed) +
                    ", 0, 0) OBJPB_SetCoordinateData(" + std::to_string(x) + ", " +
                    std::to_string(y) + ", 0, 10, 10, 10)"));
    return static_cast<ChillProjectile*>(objects->GetActiveObject());
  }

  NPCBaseEnemy* Enemy(const char* name, int32_t x, int32_t y) {
    EXPECT_TRUE(Run(std::string("NPCM_AddNPC('") + name + "', 'EnemyNPC') NPC_SetCoordinateData(" +
                    std::to_string(x) + ", " + std::to_string(y) +
                    ", 0, 20, 20, 20) NPCBE_SetHitReactionScript('hit.lua')"));
    return static_cast<NPCBaseEnemy*>(entities.GetActiveNPC());
  }

  int ListCount(int list) { return targets->GetLists()[list].GetCount(); }
};

TEST_F(ProjectilesTest, TargetFlagsEnterTheListsOnce) {
  struct Case {
    std::vector<int32_t> calls;
    int32_t flags;
    std::vector<int> inLists;
  } cases[] = {
      {{5}, 5, {0, 2}},
      {{5, 2}, 5, {0, 2}},
      {{0, 1}, 1, {0}},
      {{128}, 128, {}},
      {{127}, 127, {0, 1, 2, 3, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    ProjectileBase projectile;
    for (int32_t flags : c.calls) projectile.SetTargetFlags(flags);
    EXPECT_EQ(projectile.GetTargetFlags(), c.flags);
    for (int list = 0; list < TargetRegistry::kListCount; ++list) {
      const bool expected = std::find(c.inLists.begin(), c.inLists.end(), list) != c.inLists.end();
      EXPECT_EQ(targets->GetLists()[list].Contains(&projectile), expected)
          << c.flags << " list " << list;
    }
  }
  // Each left the lists as it went.
  for (int list = 0; list < TargetRegistry::kListCount; ++list) EXPECT_EQ(ListCount(list), 0);
  // A chill projectile starts with flags 2 and is never entered.
  std::srand(1);
  ChillProjectile chill(1.0f);
  chill.SetTargetFlags(1);
  EXPECT_EQ(ListCount(0) + ListCount(1), 0);
}

// Reads the top-left pixel of the projectile's frame image after a draw.
TEST_F(ProjectilesTest, TheSpawnFrameShowsUntilTheDelayHasRunThenTheAnimation) {
  AddImage("Items", "spawn", 10, 10)->ClearToColor(0, 0, 255, 255);
  AddImage("Items", "fly0", 10, 10)->ClearToColor(0, 255, 0, 255);
  AddImage("Items", "fly1", 10, 10)->ClearToColor(255, 255, 0, 255);
  ASSERT_TRUE(
      Run("AIM_CreateObject('fly', 'AnimationsList', 'Animation') Anim_DeclareSizes(1, 2)"
          " Anim_SetFrame(0, 0, 'fly0') Anim_SetFrame(0, 1, 'fly1') Anim_SetDuration(1)"));
  ProjectileBase* projectile = Projectile(100, 100, 0);
  ASSERT_TRUE(Run("OBJPB_SetDisplayData('fly', 'spawn', 0, 3, 0)"));
  ImageObject view;
  view.Create(800, 600, &gOpenGLMode);
  const auto shown = [&] {
    projectile->Draw(&view, cameras->GetActiveCamera());
    const ALLEGRO_COLOR pixel = al_get_pixel(projectile->GetImage()->GetBitmap(), 0, 0);
    unsigned char r, g, b;
    al_unmap_rgb(pixel, &r, &g, &b);
    return r == 0 && g == 0 && b == 255 ? "spawn"
           : r == 0 && g == 255         ? "fly0"
           : r == 255                   ? "fly1"
                                        : "?";
  };
  // The spawn delay counts down on the first three updates; the animation then starts at time 0.
  const char* expected[] = {"spawn", "spawn", "spawn", "fly0", "fly1", "fly0"};
  EXPECT_STREQ(shown(), expected[0]);
  for (int update = 1; update < 6; ++update) {
    Tick();
    EXPECT_STREQ(shown(), expected[update]) << "after update " << update;
  }
  view.Destroy();
}

TEST_F(ProjectilesTest, AFrameImageThatCannotBeMadeIsNone) {
  ProjectileBase* projectile = Projectile(10, 10, 0);
  ASSERT_NE(projectile->GetImage(), nullptr);
  for (const char* size : {"0, 10", "10, -1", "100000, 10"}) {
    ASSERT_TRUE(Run(std::string("OBJPB_SetCoordinateData(1, 1, 0, ") + size + ", 1)"));
    EXPECT_EQ(projectile->GetImage(), nullptr) << size;
  }
  ImageObject view;
  view.Create(8, 8, &gOpenGLMode);
  projectile->Draw(&view, cameras->GetActiveCamera());
  view.Destroy();
}

TEST_F(ProjectilesTest, AChillProjectileDiesAtWallRowsBetweenItsTopAndItsTwoBottomRows) {
  // Its box spans 95..105 on both axes; it stands still and does not hop.
  struct Case {
    int32_t x, y;
    bool dies;
  } cases[] = {{105, 95, false},  {105, 96, true}, {105, 103, true},
               {105, 104, false}, {95, 100, true}, {100, 100, false}};
  for (const Case& c : cases) {
    Run("DefinedMap_ClearClipping()");
    Clip(c.x, c.y, c.x + 1, c.y + 1);
    ChillProjectile* chill = Chill(100, 100, false);
    log.Clear();
    Tick();
    EXPECT_EQ(chill->IsDead(), c.dies) << c.x << "," << c.y;
    Tick();
  }
}

TEST_F(ProjectilesTest, AHoppingChillProjectileRisesFallsAndSlidesOnTheGround) {
  Clip(0, 108, 640, 480);  // ground from y 108 down: its bottom edge comes down on it exactly
  ChillProjectile* chill = Chill(100, 100, true, 2.0f);
  Tick();
  EXPECT_FLOAT_EQ(chill->GetVerticalSpeed(), -2.5f);
  EXPECT_EQ(chill->GetDimensions().y, 97);
  EXPECT_EQ(chill->GetDimensions().x, 102);
  int32_t lastY = 0;
  for (int i = 0; i < 60; ++i) {
    Tick();
    lastY = chill->GetDimensions().y;
  }
  // Resting with its bottom edge on the ground, it slides on.
  EXPECT_FALSE(chill->IsDead());
  EXPECT_EQ(chill->GetDimensions().maxY, 108);
  const float resting = chill->GetVerticalSpeed();
  Tick();
  EXPECT_EQ(chill->GetDimensions().y, lastY);
  EXPECT_FLOAT_EQ(chill->GetVerticalSpeed(), resting);
  EXPECT_EQ(chill->GetDimensions().x, 100 + 2 * 62);
}

// A chill projectile ahead of its victim in the object list: the victim dies in the walk that
// deletes it, and must be out of the target lists before the enemies search them.
TEST_F(ProjectilesTest, AProjectileKilledAheadOfItsDeletionLeavesTheTargetListsFirst) {
  Chill(100, 100, false);
  ProjectileBase* victim = Projectile(100, 100, 1);
  const int32_t victimID = victim->GetID();
  Enemy("guard", 100, 100);
  log.Clear();
  Tick();
  EXPECT_EQ(Text("kills"), std::to_string(victimID) + " ");
  EXPECT_TRUE(IsNil("hits"));
  EXPECT_EQ(ListCount(0), 0);
  EXPECT_EQ(objects->GetCount(), 1);
}

TEST_F(ProjectilesTest, OneProjectileHitsTwoEnemiesAndIsKilledOnce) {
  Enemy("left", 100, 100);
  Enemy("right", 104, 100);
  ProjectileBase* projectile = Projectile(102, 100, 1);
  const std::string id = std::to_string(projectile->GetID());
  Tick();
  EXPECT_EQ(Text("hits"), id + " " + id + " ");
  EXPECT_EQ(Text("kills"), id + " ");
  EXPECT_TRUE(projectile->DidHitSucceed());
  EXPECT_EQ(ListCount(0), 1);  // until the next tick's purge
  Tick();
  EXPECT_EQ(ListCount(0), 0);
  EXPECT_EQ(objects->GetCount(), 0);
  EXPECT_EQ(Text("hits"), id + " " + id + " ");
}

TEST_F(ProjectilesTest, AHitLandsOnceIn120Updates) {
  NPCBaseEnemy* enemy = Enemy("guard", 100, 100);
  std::vector<int> landed;
  for (int update = 1; update <= 241; ++update) {
    ProjectileBase* projectile = Projectile(100, 100, 1);
    Tick();
    if (projectile->DidHitSucceed()) landed.push_back(update);
    EXPECT_TRUE(projectile->IsDead()) << update;
  }
  EXPECT_EQ(landed, (std::vector<int>{1, 121, 241}));
  EXPECT_EQ(enemy->GetHitTimer(), 119);
}

// After a hit the enemy draws its layers with the hit palette in phases 4 to 7 of every 8 updates
// of its hit timer and with palette 0 in the others: both are 0, whatever palette a layer has.
TEST_F(ProjectilesTest, AHitEnemyFlashesWithItsHitPaletteOverEveryLayersOwn) {
  NPCBaseEnemy* enemy = Enemy("guard", 100, 100);
  ASSERT_TRUE(Run(R"(
    NPC_SetDisplayData(0, 0, 20, 20)
    NPC_AllocateStateVariables(1) NPC_SetStateVariable(0, 'Moving', 0)
    AIM_CreateObject('anim', 'AnimationsList', 'Animation')
    Anim_DeclareSizes(5, 1) Anim_SetFrame(4, 0, 'ball') Anim_SetDuration(1)
    AIM_CreateObject('body', 'AIDrawingPackageList', 'AIDrawingPackage')
    AIDP_AllocateSpace(1) AIDP_SetAnimation(0, 'anim')
    AIM_SetActiveAIObject('DrawingList', 'NPC', 'guard', 'AIDrawingList')
    AIDL_AddAI('Body', 'body') AIDL_SetAIPalette('Body', 5)
    AIDL_SetBaseStateToActive() AIS_AddState('Still', 0, 'NPC', 'guard', 'St|Moving', 1)
  )"));
  log.Clear();
  // An NPC faces row 4 until it moves.
  const auto paletteDrawn = [&] {
    SetGlobalPaletteNumber(-7);
    enemy->UpdateAppearance();
    return GetGlobalPaletteNumber();
  };
  EXPECT_EQ(paletteDrawn(), 0);
  Projectile(100, 100, 1);
  for (int update = 0; update < 16; ++update) {
    Tick();
    EXPECT_EQ(paletteDrawn(), 0) << "hit timer " << enemy->GetHitTimer();
  }
  EXPECT_EQ(enemy->GetHitTimer(), NPCBaseEnemy::kHitTimerTicks - 16);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(ProjectilesTest, AHitReactionThatChangesTheMapStopsTheEnemy) {
  WriteScript("hit.lua",
              "hits = (hits or '') .. GetScriptCode() .. ' '\n"
              "MapM_TransitionMap('MAPNONE')\n");
  Enemy("guard", 100, 100);
  ProjectileBase* first = Projectile(100, 100, 1);
  ProjectileBase* second = Projectile(101, 100, 1);
  Tick();
  EXPECT_EQ(Text("hits"), std::to_string(first->GetID()) + " ");
  EXPECT_TRUE(first->IsDead());
  EXPECT_FALSE(second->IsDead());
  EXPECT_EQ(entities.All().GetCount(), 0);
  EXPECT_EQ(entities.GetActiveNPC(), nullptr);
  Tick();
}

// A kill script run inside the object walk creates an object, selects one by id and sets it up.
TEST_F(ProjectilesTest, AKillScriptCreatesAndSelectsObjectsInsideTheWalk) {
  WriteScript("kill.lua",
              "local id = GetScriptCode()\n"
              "OBJM_CreateObject('puff', 'StaticAnimation')\n"
              "OBJSA_SetAnimationData('none', 0, 0, 1)\n"
              "OBJM_SetActiveObjectByID(id)\n"
              "OBJ_SetCoordinates(1, 2, 3)\n");
  Chill(100, 100, false);
  ProjectileBase* victim = Projectile(100, 100, 1);
  log.Clear();
  Tick();
  EXPECT_EQ(log.Text(), "");
  // The puff was updated in the same walk (its one tick used up); the victim was deleted in it.
  EXPECT_EQ(objects->GetCount(), 2);
  EXPECT_EQ(objects->GetActiveObject(), nullptr);
  ObjectBase* puff = objects->Find("puff");
  ASSERT_NE(puff, nullptr);
  EXPECT_TRUE(puff->IsDead());
  (void)victim;
  Tick();
  EXPECT_EQ(objects->GetCount(), 1);
}

TEST_F(ProjectilesTest, ASimpleProjectileFliesUntilItLeavesTheView) {
  ASSERT_TRUE(
      Run("OBJM_CreateObject('s', 'SimpleProjectile', 30, 0, 0)"
          " OBJPB_SetCoordinateData(500, 100, 0, 10, 10, 10)"));
  ObjectBase* shot = objects->GetActiveObject();
  int ticks = 0;
  while (!shot->IsDead() && ticks < 100) {
    Tick();
    ++ticks;
  }
  // The clip map holds the view at -160..640. The box trails the centre by a tick: on the sixth
  // update it is taken from centre 650, the first whose box lies right of the view.
  EXPECT_EQ(ticks, 6);
}

}  // namespace
