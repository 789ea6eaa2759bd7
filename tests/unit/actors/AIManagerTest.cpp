// The AI manager's lists, routing, floating packages and their walk, and DeletePointer.

#include <gtest/gtest.h>

#include "AIFixture.h"
#include "actors/AIAutoScriptPackage.h"
#include "actors/AIDrawingPackage.h"
#include "actors/AIFrameSetter.h"
#include "actors/AIValueRouter.h"
#include "actors/AIValueScaleRouter.h"
#include "actors/Animation.h"
#include "support/AllegroHeadless.h"

namespace {

class AIManagerTest : public AIFixture {
 protected:
  AIManagerTest() {
    // Stands in for a map change: the map manager empties the floating list when it unloads.
    lua_register(State(), "UnloadMap", [](lua_State*) -> int {
      gAIManager->ClearFloatingAI();
      return 0;
    });
  }
};

TEST_F(AIManagerTest, BaseFindsFloatingThenAnimationThenDrawingPackage) {
  ASSERT_TRUE(Run(R"(
    AIM_CreateObject('x', 'AIDrawingPackageList', 'AIDrawingPackage')
    AIM_CreateObject('x', 'AnimationsList', 'Animation')
    AIM_CreateObject('y', 'AIDrawingPackageList', 'AIDrawingPackage')
  )"));
  PropertyRef found = router.Route("AIManager", "Base", "x");
  EXPECT_EQ(found.GetType(), PropertyRef::kAnimation);
  EXPECT_EQ(found.ObjectAs<Animation>(PropertyRef::kAnimation), manager->FindAnimation("x"));
  ASSERT_TRUE(Run("AIM_CreateObject('x', 'FloatingAIPackageList', 'AIValueRouter')"));
  EXPECT_EQ(router.Route("AIManager", "Base", "x").GetType(), PropertyRef::kFloatingAIPackage);
  EXPECT_EQ(router.Route("AIManager", "Base", "y").GetType(), PropertyRef::kAIDrawingPackage);

  // Objects other than "Base" answer no property; drawing packages silently, unknowns with a line.
  log.Clear();
  EXPECT_FALSE(router.Route("AIManager", "x", "Speed").IsAlive());
  EXPECT_FALSE(router.Route("AIManager", "y", "Speed").IsAlive());
  EXPECT_EQ(log.Text(), "");
  EXPECT_FALSE(router.Route("AIManager", "z", "Speed").IsAlive());
  EXPECT_FALSE(router.Route("AIManager", "Base", "z").IsAlive());
  EXPECT_EQ(log.Text(),
            "AIManager GetPropertyAddress:  Failed, no object z in Manager's Lists\n"
            "AIManager GetPropertyAddress:  Failed, no property z in Base\n");
  EXPECT_EQ(router.GetType(), 0);
}

TEST_F(AIManagerTest, AnUnloadEmptiesOnlyTheFloatingList) {
  ASSERT_TRUE(Run(R"(
    AIM_CreateObject('walk', 'AnimationsList', 'Animation')
    AIM_CreateObject('body', 'AIDrawingPackageList', 'AIDrawingPackage')
    AIM_CreateObject('r', 'FloatingAIPackageList', 'AIValueRouter')
    AIM_CreateObject('r', 'FloatingAIPackageList', 'AIValueScaleRouter')
    AIM_CreateObject('Bad', 'Nowhere', 'Animation')
  )"));
  EXPECT_EQ(manager->GetFloatingCount(), 2);
  EXPECT_EQ(manager->FindFloatingPackage("r")->GetType(), 1300);  // the first of the name
  manager->ClearFloatingAI();
  EXPECT_EQ(manager->GetFloatingCount(), 0);
  EXPECT_EQ(manager->GetActiveAIPackage(), nullptr);
  EXPECT_NE(manager->FindAnimation("walk"), nullptr);
  EXPECT_NE(manager->FindDrawingPackage("body"), nullptr);
  EXPECT_EQ(manager->GetAnimationCount(), 1);
  ExpectFailure("AI_GetType()", "AI_GetType:  Active AI was not set.\n");
}

TEST_F(AIManagerTest, ScaleRoutersTruncateTowardZero) {
  ASSERT_TRUE(
      Run("AIM_CreateObject('s', 'FloatingAIPackageList', 'AIValueScaleRouter')"
          " AIVSR_SyncPointer('Player', 'me', 'X', 'Player', 'me', 'Y')"
          " AIVSR_SetScaler(0.5)"));
  EXPECT_EQ(log.Text(), "");
  for (const auto& [source, expected] : {std::pair{7, 3}, {-7, -3}}) {
    actor->x = source;
    manager->Update();
    EXPECT_EQ(actor->y, expected) << source;
  }
  // Beyond the integers it saturates.
  ASSERT_TRUE(Run("AIVSR_SetScaler(4)"));
  actor->x = INT32_MAX;
  manager->Update();
  EXPECT_EQ(actor->y, INT32_MAX);
}

TEST_F(AIManagerTest, FloatingPackagesWithTheSameNameAllRun) {
  // Y := X / 2, then Y := Y / 2: 8 gives 2 only when both run, in list order.
  ASSERT_TRUE(Run(R"(
    AIM_CreateObject('s', 'FloatingAIPackageList', 'AIValueScaleRouter')
    AIVSR_SyncPointer('Player', 'me', 'X', 'Player', 'me', 'Y') AIVSR_SetScaler(0.5)
    AIM_CreateObject('s', 'FloatingAIPackageList', 'AIValueScaleRouter')
    AIVSR_SyncPointer('Player', 'me', 'Y', 'Player', 'me', 'Y') AIVSR_SetScaler(0.5)
  )"));
  actor->x = 8;
  manager->Update();
  EXPECT_EQ(actor->y, 2);
}

TEST_F(AIManagerTest, AnAutoScriptRunsAsTheActivePackageEveryTick) {
  WriteScript("tick.lua", "ticks = (ticks or 0) + 1 code = GetScriptCode() kind = AI_GetType()\n");
  ASSERT_TRUE(
      Run("AIM_CreateObject('a', 'FloatingAIPackageList', 'AIAutoScript', 'tick.lua', 4.9)"
          " AIM_CreateObject('r', 'FloatingAIPackageList', 'AIValueRouter')"));
  manager->Update();
  manager->Update();
  EXPECT_EQ(Number("ticks"), 2);
  EXPECT_EQ(Number("code"), 4);
  EXPECT_EQ(Number("kind"), 1302);
  EXPECT_EQ(manager->GetActiveAIPackage(), manager->FindFloatingPackage("a"));
}

// What a floating script may do to the walk that runs it.
TEST_F(AIManagerTest, ScriptsMayDeleteOrUnloadWhatTheWalkIsOn) {
  const struct {
    const char* script;
    int floatingAfter;
    double secondRuns;  // how often the package after the script's ran
  } kCases[] = {
      // Deletes itself: unlinked at once, the rest of the walk goes on.
      {"AIM_DeleteObject('FloatingAIPackageList', 'self')", 1, 1},
      // Deletes the next one: it is not visited.
      {"AIM_DeleteObject('FloatingAIPackageList', 'next')", 1, 0},
      // Adds one: it runs in the same pass.
      {"AIM_CreateObject('late', 'FloatingAIPackageList', 'AIAutoScript', 'count.lua', 1)", 3, 2},
      // Unloads the map: every package goes, the one running included, and nothing more runs.
      {"UnloadMap() kind = AI_GetType()", 0, 0},
      // Unloads and a new map builds a package at once: it runs in this pass.
      {"UnloadMap() AIM_CreateObject('new', 'FloatingAIPackageList', 'AIAutoScript', 'count.lua', "
       "1)",
       1, 1},
  };
  WriteScript("count.lua", "runs = (runs or 0) + 1\n");
  for (const auto& c : kCases) {
    manager.reset();
    manager = std::make_unique<AIManager>();
    gAIManager = manager.get();
    WriteScript("self.lua", c.script);
    ASSERT_TRUE(
        Run("runs = 0 "
            "AIM_CreateObject('self', 'FloatingAIPackageList', 'AIAutoScript', 'self.lua', 1)"
            "AIM_CreateObject('next', 'FloatingAIPackageList', 'AIAutoScript', 'count.lua', 1)"));
    log.Clear();
    manager->Update();
    EXPECT_EQ(log.Text(), c.floatingAfter == 0 ? "AI_GetType:  Active AI was not set.\n" : "")
        << c.script;
    EXPECT_EQ(manager->GetFloatingCount(), c.floatingAfter) << c.script;
    EXPECT_EQ(Number("runs"), c.secondRuns) << c.script;
  }
}

TEST_F(AIManagerTest, ARouterWhoseEndIsDestroyedStops) {
  ASSERT_TRUE(
      Run("AIM_CreateObject('r', 'FloatingAIPackageList', 'AIValueRouter') "
          "ok = AIVR_SyncPointer('Player', 'me', 'X', 'Player', 'me', 'Y')"));
  EXPECT_EQ(Number("ok"), 1);
  actor->x = 9;
  manager->Update();
  EXPECT_EQ(actor->y, 9);
  actor.reset();
  manager->Update();  // must write nowhere

  // Wiring that fails its type test keeps the old ends.
  auto* router = static_cast<AIValueRouter*>(manager->FindFloatingPackage("r"));
  int32_t from = 5, to = 0;
  Lifetime owner;
  router->SyncWith(PropertyRef::Integer(from, owner.Token()),
                   PropertyRef::Integer(to, owner.Token()));
  actor = std::make_unique<ActorStandIn>();
  ExpectFailure("AIVR_SyncPointer('Player', 'me', 'Speed', 'Player', 'me', 'Y')",
                "AIVR_SyncPointer: Source was not an integer.\n");
  manager->Update();
  EXPECT_EQ(to, 5);
  log.Clear();
  router->SyncWith(PropertyRef(), PropertyRef());
  EXPECT_EQ(
      log.Text(),
      "AIVR:  Warning, Source pointer is NULL\nAIVR:  Warning, Destination pointer is NULL\n");
}

TEST_F(AIManagerTest, FrameSetterHoldsOnlyTheValuesItIsGiven) {
  int32_t timer = 10, direction = 0;
  AIFrameSetter setter;
  setter.SetValues(-1, 2);
  setter.Update();  // no addresses yet: nothing written
  setter.SyncWith(&timer, &direction);
  setter.Update();
  EXPECT_EQ(timer, 10);
  EXPECT_EQ(direction, 2);
  setter.SyncWith(nullptr, &direction);
  setter.SetValues(4, 6);
  setter.Update();
  EXPECT_EQ(direction, 6);
}

TEST_F(AIManagerTest, DeletePointerDestroysByTypeCode) {
  ASSERT_TRUE(
      Run("AIM_CreateObject('walk', 'AnimationsList', 'Animation')"
          " AIM_CreateObject('a', 'FloatingAIPackageList', 'AIAutoScript', 'x.lua', 1)"));
  // Destroyed objects leave the lists and the slots.
  DeletePointer(manager->FindAnimation("walk"), 1202);
  DeletePointer(manager->FindFloatingPackage("a"), 1302);
  EXPECT_EQ(manager->FindAnimation("walk"), nullptr);
  EXPECT_EQ(manager->GetActiveAnimation(), nullptr);
  EXPECT_EQ(manager->GetFloatingCount(), 0);
  EXPECT_EQ(manager->GetActiveAIPackage(), nullptr);

  log.Clear();
  auto* state = new AnimationState(1, PropertyRef(), 0);
  state->GetChildList().Add("child", new AnimationState(2, PropertyRef(), 0));
  DeletePointer(state, 1203);
  StartAllegroHeadless();
  DeletePointer(al_create_bitmap(1, 1), 10);
  DeletePointer(nullptr, 1501);
  auto* survivor = new AIValueRouter();
  DeletePointer(survivor, 1501);
  EXPECT_EQ(log.Lines().back(), "DeletePointer:  Failed, could not find a pointer of type 1501\n");
  delete survivor;
  DeletePointer(manager.release(), 200);
  EXPECT_EQ(gAIManager, nullptr);
}

}  // namespace
