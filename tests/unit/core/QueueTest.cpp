#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/GenericQueue.h"
#include "core/TimeQueue.h"
#include "support/LogCapture.h"

namespace {

TEST(GenericQueue, GenericQueue_PopsInOrderThenAnswersZero) {
  GenericQueue queue;
  EXPECT_EQ(queue.PeekValue(), 0);
  queue.Push("a", 7);
  queue.Push(nullptr, -3);
  queue.Push("c", 11);
  EXPECT_EQ(queue.GetCount(), 3);
  EXPECT_EQ(queue.PeekValue(), 7);
  EXPECT_EQ(queue.Pop(), 7);
  EXPECT_EQ(queue.Pop(), -3);
  EXPECT_EQ(queue.Pop(), 11);
  EXPECT_EQ(queue.Pop(), 0);
  EXPECT_EQ(queue.GetCount(), 0);
  queue.Push("d", 1);
  queue.Reset();
  EXPECT_EQ(queue.GetCount(), 0);
  EXPECT_EQ(queue.Pop(), 0);
}

TEST(TimeQueue, TimeQueue_ConstructionLogsThreeZeros) {
  LogCapture log;
  TimeQueue queue;
  EXPECT_EQ(log.Text(), "TimeQueue: 0 0 0\n");
}

// What each Advance call answers: the index of the entry whose payload came back (-1 for none)
// and whether it fired.
struct Step {
  int32_t elapsed;
  int payload;
  bool fired;
};

struct Entry {
  int32_t duration;
  bool hold;
};

TEST(TimeQueue, TimeQueue_AdvanceRunsTheFrontDownAndPassesTheOvershoot) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  struct Case {
    const char* what;
    std::vector<Entry> entries;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"3 and 2 ticks, one per call",
       {{3, false}, {2, false}},
       {{1, 0, false}, {1, 0, false}, {1, 0, true}, {1, 1, false}, {1, 1, true}, {1, -1, false}}},
      {"elapsed 5 on 3 and 10: the second is left with 8",
       {{3, false}, {10, false}},
       {{5, 0, true}, {7, 1, false}, {1, 1, true}, {1, -1, false}}},
      {"overshoot past a whole entry fires one entry per call",
       {{1, false}, {2, false}, {4, false}},
       {{4, 0, true}, {0, 1, true}, {0, 2, false}, {2, 2, false}, {1, 2, true}}},
      {"duration 0 fires at once and charges the next",
       {{0, false}, {2, false}},
       {{1, 0, true}, {1, 1, true}, {1, -1, false}}},
      {"held entry with remaining 0 never fires",
       {{0, true}},
       {{1, 0, false}, {1, 0, false}, {1, 0, false}}},
      {"unlimited entry outlasts any elapsed time",
       {{-1, true}, {5, false}},
       {{kMax, 0, false}, {kMax, 0, false}, {1, 0, false}}},
      {"an entry following a held one is not reached",
       {{2, true}, {1, false}},
       {{1, 0, false}, {1, 0, false}, {1, 0, false}}},
      {"a long entry", {{kMax, false}}, {{kMax - 1, 0, false}, {1, 0, true}}},
      {"empty queue", {}, {{1, -1, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LogCapture log;
    TimeQueue queue;
    std::vector<int> payloads(c.entries.size());
    for (size_t i = 0; i < c.entries.size(); ++i) {
      const std::string name = "package " + std::to_string(i);
      ASSERT_TRUE(
          queue.PushTimed(name.c_str(), c.entries[i].duration, c.entries[i].hold, &payloads[i]));
    }
    for (size_t call = 0; call < c.steps.size(); ++call) {
      const Step& step = c.steps[call];
      bool fired = true;
      void* answered = queue.Advance(step.elapsed, fired);
      void* expected = step.payload < 0 ? nullptr : &payloads[static_cast<size_t>(step.payload)];
      EXPECT_EQ(answered, expected) << "call " << call + 1;
      EXPECT_EQ(fired, step.fired) << "call " << call + 1;
    }
  }
}

TEST(TimeQueue, TimeQueue_InheritedPushAndPopLeaveTheTimedEntriesAlone) {
  LogCapture log;
  TimeQueue queue;
  GenericQueue& plain = queue;
  int payload = 0;
  queue.PushTimed("timed", 2, false, &payload);
  plain.Push("pair", 7);
  queue.Push(nullptr, 8);
  EXPECT_EQ(queue.GetCount(), 3);
  EXPECT_EQ(plain.Pop(), 7);
  EXPECT_EQ(queue.Pop(), 8);
  EXPECT_EQ(queue.Pop(), 0);  // the timed entry is no pair
  EXPECT_EQ(queue.GetCount(), 1);
  bool fired = false;
  EXPECT_EQ(queue.Advance(2, fired), &payload);
  EXPECT_TRUE(fired);
  EXPECT_EQ(queue.GetCount(), 0);
}

TEST(TimeQueue, TimeQueue_PopFrontEndsAHeldEntryAndTheNextRuns) {
  LogCapture log;
  TimeQueue queue;
  int held = 0, next = 0;
  queue.PushTimed("held", -1, true, &held);
  queue.PushTimed("next", 1, false, &next);
  EXPECT_FALSE(queue.PushTimed("none", 3, false, nullptr));
  EXPECT_EQ(queue.GetCount(), 2);

  bool fired = false;
  EXPECT_EQ(queue.Advance(1, fired), &held);
  EXPECT_EQ(queue.PopFront(), &held);
  EXPECT_EQ(queue.Advance(1, fired), &next);
  EXPECT_TRUE(fired);
  EXPECT_EQ(queue.GetCount(), 0);
  EXPECT_EQ(queue.PopFront(), nullptr);
}

}  // namespace
