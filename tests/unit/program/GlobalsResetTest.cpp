#include <gtest/gtest.h>

#include <string>

#include "core/Clock.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/RootObject.h"
#include "support/GlobalsFixture.h"

namespace {

struct Serial : RootObject {};

// Every hook a test can set, set as a careless test would leave it: the reset between tests puts
// each back, so that no test sees what another left (or calls into its dead locals). Every seam of
// the list is set, so a seam added to it is covered the day it is added.
TEST(GlobalsResetTest, TheResetBetweenTestsPutsBackEveryHook) {
  std::string logged;
  SetLogSink([&logged](std::string_view text) { logged.append(text); });
  SetClockSource([] { return -5.0; });
  int somewhere = 0;
#define QM_SET_SEAM(Class, name) name = reinterpret_cast<Class*>(&somewhere);
  QM_SEAM_GLOBALS(QM_SET_SEAM)
#undef QM_SET_SEAM
  Serial().GetID();

  ResetForTest();

  EXPECT_EQ(Serial().GetID(), 1);
  Log("after the reset\n");
  EXPECT_EQ(logged, "");
  EXPECT_NE(WallClock(), -5.0);
#define QM_EXPECT_SEAM_RESET(Class, name) EXPECT_EQ(name, nullptr) << #name;
  QM_SEAM_GLOBALS(QM_EXPECT_SEAM_RESET)
#undef QM_EXPECT_SEAM_RESET
}

}  // namespace
