#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "actors/NPCStaticDialogue.h"
#include "core/Clock.h"
#include "core/Log.h"
#include "core/RootObject.h"
#include "gui/GUIEnvironmentWindow.h"
#include "support/GlobalsFixture.h"
#include "world/WorldLinks.h"

namespace {

struct Serial : RootObject {};

// Every hook a test can set, set as a careless test would leave it: the reset between tests puts
// each back, so that no test sees what another left (or calls into its dead locals).
TEST(GlobalsResetTest, TheResetBetweenTestsPutsBackEveryHook) {
  std::string logged;
  SetLogSink([&logged](std::string_view text) { logged.append(text); });
  SetClockSource([] { return -5.0; });
  GetWorldLinks().playerCentre = [](int32_t& x, int32_t& y) { return x = y = 1, true; };
  GetWorldLinks().setMousePosition = [](float, float) {};
  GetWorldDrawHooks().shooterEnemies = [](ImageObject*, Camera*) {};
  NPCStaticDialogue::SetClickHandler([](NPCStaticDialogue&, int32_t) { return true; });
  Serial().GetID();

  ResetForTest();

  EXPECT_EQ(Serial().GetID(), 1);
  Log("after the reset\n");
  EXPECT_EQ(logged, "");
  EXPECT_NE(WallClock(), -5.0);
  EXPECT_FALSE(GetWorldLinks().playerCentre);
  EXPECT_FALSE(GetWorldLinks().setMousePosition);
  EXPECT_FALSE(GetWorldDrawHooks().shooterEnemies);
  NPCStaticDialogue npc;
  EXPECT_FALSE(npc.IsActiveFor(0));
}

}  // namespace
