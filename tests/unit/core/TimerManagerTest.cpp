#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/Globals.h"
#include "core/TimerManager.h"
#include "support/LuaFixture.h"

namespace {

class TimerManagerTest : public LuaFixture {
 protected:
  TimerManagerTest() { gTimerManager = &timers; }

  TimerManager timers;  // registers its functions on the fixture's Lua manager
};

TEST_F(TimerManagerTest, CountersAdvanceOncePerTick) {
  ASSERT_TRUE(Run(R"(
    TimerManager_AddTimer("zero", 0)
    TimerManager_AddTimer("negative", -3.9)
    start = TimerManager_GetTimer("zero")
  )"));
  EXPECT_EQ(Number("start"), 0);
  for (int tick = 0; tick < 5; ++tick) timers.Tick();
  ASSERT_TRUE(Run(R"(
    zero = TimerManager_GetTimer("zero")
    negative = TimerManager_GetTimer("negative")
  )"));
  EXPECT_EQ(Number("zero"), 5);
  EXPECT_EQ(Number("negative"), 2);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(TimerManagerTest, DuplicateNamesReachTheOldestAndMissingReadsMinus700) {
  ASSERT_TRUE(Run(R"(
    TimerManager_AddTimer("x", 1)
    TimerManager_AddTimer("b", 10)
    TimerManager_AddTimer("b", 20)
    first = TimerManager_GetTimer("b")
    TimerManager_DelTimer("b")
    second = TimerManager_GetTimer("b")
    TimerManager_DelTimer("b")
    gone = TimerManager_GetTimer("b")
    TimerManager_DelTimer("b")
    missing = TimerManager_GetTimer("never")
    x = TimerManager_GetTimer("x")
  )"));
  EXPECT_EQ(Number("first"), 10);
  EXPECT_EQ(Number("second"), 20);
  EXPECT_EQ(Number("gone"), -700);
  EXPECT_EQ(Number("missing"), -700);
  EXPECT_EQ(Number("x"), 1);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(TimerManagerTest, CounterAtTheLimitWrapsAndStartsSaturate) {
  timers.AddTimer("top", std::numeric_limits<int32_t>::max());
  ASSERT_TRUE(Run("TimerManager_AddTimer('huge', 1e12)"));
  timers.Tick();
  EXPECT_EQ(timers.GetTimer("top"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(timers.GetTimer("huge"), std::numeric_limits<int32_t>::min());
}

TEST_F(TimerManagerTest, InvalidCallsLogTheirLineAndReturnNothing) {
  const ScriptFailure cases[] = {
      {"TimerManager_AddTimer('a')", "TimerManager AddTimer:  Failed, invalid argument list\n"},
      {"TimerManager_AddTimer('a', 1, 2)",
       "TimerManager AddTimer:  Failed, invalid argument list\n"},
      {"TimerManager_AddTimer(nil, 1)", "TimerManager AddTimer:  Failed, invalid argument list\n"},
      {"TimerManager_GetTimer()", "TimerManager GetTimer:  Failed, invalid argument list\n"},
      {"TimerManager_GetTimer(nil)", "TimerManager GetTimer:  Failed, invalid argument list\n"},
      {"TimerManager_DelTimer('a', 'b')",
       "TimerManager DelTimer:  Failed, invalid argument list\n"},
      {"TimerManager_DelTimer({})", "TimerManager DelTimer:  Failed, invalid argument list\n"},
  };
  ExpectFailures(cases);
  EXPECT_EQ(timers.GetTimer("a"), -700);

  gTimerManager = nullptr;
  log.Clear();
  ASSERT_TRUE(Run("TimerManager_GetTimer('a')"));
  EXPECT_EQ(log.Text(), "TimerManager GetTimer:  Failed, manager not created\n");
}

}  // namespace
