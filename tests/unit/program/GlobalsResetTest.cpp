#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "actors/NPCStaticDialogue.h"
#include "core/Clock.h"
#include "core/Log.h"
#include "core/RootObject.h"
#include "support/GlobalsFixture.h"
#include "support/PlayerStandIn.h"
#include "world/WorldClick.h"

namespace {

struct Serial : RootObject {};

struct Clicks : WorldClick {
  void SetMousePosition(float, float) override {}
};

// Every hook a test can set, set as a careless test would leave it: the reset between tests puts
// each back, so that no test sees what another left (or calls into its dead locals).
TEST(GlobalsResetTest, TheResetBetweenTestsPutsBackEveryHook) {
  std::string logged;
  SetLogSink([&logged](std::string_view text) { logged.append(text); });
  SetClockSource([] { return -5.0; });
  PlayerStandIn player;
  Clicks clicks;
  gWorldPlayer = &player;
  gWorldClick = &clicks;
  NPCStaticDialogue::SetClickHandler([](NPCStaticDialogue&, int32_t) { return true; });
  Serial().GetID();

  ResetForTest();

  EXPECT_EQ(Serial().GetID(), 1);
  Log("after the reset\n");
  EXPECT_EQ(logged, "");
  EXPECT_NE(WallClock(), -5.0);
  EXPECT_EQ(gWorldPlayer, nullptr);
  EXPECT_EQ(gWorldClick, nullptr);
  NPCStaticDialogue npc;
  EXPECT_FALSE(npc.IsActiveFor(0));
}

}  // namespace
