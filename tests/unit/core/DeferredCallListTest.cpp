#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/DeferredCallList.h"
#include "support/GlobalsFixture.h"

namespace {

// Calls advance a fake clock by their own duration and record that they ran.
class DeferredCallListTest : public GlobalsFixture {
 protected:
  DeferredCallListTest() {
    current = this;
    previous = SetClockSource([this] { return now; });
  }
  ~DeferredCallListTest() override {
    SetClockSource(previous);
    current = nullptr;
  }

  // a: the call's id; b: its duration in milliseconds.
  static void Work(void* user, int32_t a, int32_t b) {
    current->ran.push_back(a);
    current->now += b / 1000.0;
    (void)user;
  }

  void PushWork(int32_t id, int32_t milliseconds, void* user = nullptr) {
    ASSERT_EQ(calls.Push(0.001f, &Work, user, id, milliseconds), 0);
  }

  // One game tick: its own work takes tickWork seconds, the list gets what is left of 1/60 s.
  void Tick(double tickWork) {
    const double tickStart = now;
    now += tickWork;
    calls.Run(0.01666 - (now - tickStart), true);
  }

  static DeferredCallListTest* current;
  double now = 100.0;
  ClockSource previous;
  DeferredCallList calls;
  std::vector<int32_t> ran;
};

DeferredCallListTest* DeferredCallListTest::current = nullptr;

TEST_F(DeferredCallListTest, ForceRunsExactlyOneCallWhenTheBudgetIsSpent) {
  for (int32_t id = 1; id <= 3; ++id) PushWork(id, 0);
  for (double budget : {0.0, -0.5}) calls.Run(budget, true);
  EXPECT_EQ(ran, (std::vector<int32_t>{1, 2}));
  calls.Run(0.0, false);  // without force nothing runs
  EXPECT_EQ(ran.size(), 2u);
  EXPECT_EQ(calls.GetCount(), 1);
}

TEST_F(DeferredCallListTest, CallThatOverrunsTheBudgetEndsTheRun) {
  PushWork(1, 2);
  PushWork(2, 9);  // spends the rest of the budget and more
  PushWork(3, 1);
  calls.Run(0.010, true);
  EXPECT_EQ(ran, (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(calls.GetCount(), 1);
}

TEST_F(DeferredCallListTest, ElevenOneMillisecondCallsDrainWithinAFewTicks) {
  for (int32_t id = 0; id < 11; ++id) PushWork(id, 1);
  int ticks = 0;
  while (calls.GetCount() > 0 && ticks < 100) {
    Tick(0.012);  // a busy tick leaves under 5 ms
    ++ticks;
  }
  EXPECT_LE(ticks, 3);
  EXPECT_EQ(ran.size(), 11u);
  // Even a tick that overran its time runs one call.
  PushWork(99, 1);
  Tick(0.030);
  EXPECT_EQ(ran.back(), 99);
}

TEST_F(DeferredCallListTest, ClearDiscardsWaitingCallsWithoutRunningThem) {
  PushWork(1, 0);
  PushWork(2, 0);
  calls.Clear();
  calls.PopFront();  // nothing to pop
  calls.Run(1.0, true);
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(calls.GetCount(), 0);
}

// What a callback does to the list: clear it and push, or push behind the waiting calls.
struct Reentry {
  DeferredCallList* calls;
  std::vector<std::string> log;
};

void ClearThenPush(void* user, int32_t, int32_t) {
  auto* reentry = static_cast<Reentry*>(user);
  reentry->log.push_back("clear");
  reentry->calls->Clear();
  reentry->calls->Push(
      0.001f,
      [](void* u, int32_t, int32_t) {
        static_cast<Reentry*>(u)->log.push_back("pushed after clear");
      },
      user, 0, 0);
}

void PushBehind(void* user, int32_t, int32_t) {
  auto* reentry = static_cast<Reentry*>(user);
  reentry->log.push_back("push");
  reentry->calls->Push(
      0.001f,
      [](void* u, int32_t, int32_t) { static_cast<Reentry*>(u)->log.push_back("pushed behind"); },
      user, 0, 0);
}

void Waiting(void* user, int32_t, int32_t) {
  static_cast<Reentry*>(user)->log.push_back("waiting");
}

TEST_F(DeferredCallListTest, CallbacksThatClearOrPushLoseAndRepeatNothing) {
  Reentry reentry{&calls, {}};
  calls.Push(0.001f, &PushBehind, &reentry, 0, 0);
  calls.Push(0.001f, &Waiting, &reentry, 0, 0);
  calls.Run(1.0, true);
  EXPECT_EQ(reentry.log, (std::vector<std::string>{"push", "waiting", "pushed behind"}));

  reentry.log.clear();
  calls.Push(0.001f, &ClearThenPush, &reentry, 0, 0);
  calls.Push(0.001f, &Waiting, &reentry, 0, 0);  // discarded by the clear
  calls.Run(0.0, true);                          // runs the clearing call alone
  EXPECT_EQ(calls.GetCount(), 1);
  calls.Run(0.0, true);
  EXPECT_EQ(reentry.log, (std::vector<std::string>{"clear", "pushed after clear"}));
  EXPECT_EQ(calls.GetCount(), 0);
}

TEST_F(DeferredCallListTest, CancellingDropsOnlyThatUsersCalls) {
  int chunkA = 0;
  int chunkB = 0;
  PushWork(1, 0, &chunkA);
  PushWork(2, 0, &chunkB);
  PushWork(3, 0, &chunkA);
  PushWork(4, 0, nullptr);
  EXPECT_EQ(calls.RemoveByUser(&chunkA), 2);
  EXPECT_EQ(calls.RemoveByUser(&chunkA), 0);
  calls.Run(1.0, true);
  EXPECT_EQ(ran, (std::vector<int32_t>{2, 4}));
}

TEST_F(DeferredCallListTest, NoneCallbackIsRefused) {
  EXPECT_EQ(calls.Push(0.001f, nullptr, nullptr, 0, 0), -1);
  EXPECT_EQ(calls.GetCount(), 0);
}

}  // namespace
