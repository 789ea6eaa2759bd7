#pragma once

#include <cstdint>
#include <deque>

// Work that may wait (a chunk loaded part by part) queued first in, first out, and run by the
// game loop in the time left over at the end of each tick.
class DeferredCallList {
 public:
  using Callback = void (*)(void* user, int32_t a, int32_t b);

  // Calls run while the budget left exceeds this many seconds.
  static constexpr double kRunThreshold = 0.0;

  DeferredCallList() = default;
  DeferredCallList(const DeferredCallList&) = delete;
  DeferredCallList& operator=(const DeferredCallList&) = delete;

  int32_t GetCount() const { return static_cast<int32_t>(calls.size()); }

  // Appends a call behind the waiting ones and answers 0; a none callback is refused with -1.
  // The estimated time is kept but not consulted. The list never owns what user points to.
  int32_t Push(float estimatedTime, Callback callback, void* user, int32_t a, int32_t b);
  // Drops the first waiting call without running it; nothing when the list is empty.
  void PopFront();
  // Drops every waiting call without running it.
  void Clear() { calls.clear(); }
  // Drops every waiting call handed this user pointer (an owner that is going away); answers how
  // many were dropped.
  int32_t RemoveByUser(const void* user);

  // Runs waiting calls one at a time while the budget (seconds) exceeds the threshold, charging
  // each call's wall-clock time against it, so at most one call overruns it. With force set, one
  // call runs even when the budget is already spent. Each call leaves the list before it runs: a
  // callback may push, clear or cancel calls, and no call is lost or run twice. Answers 0.
  int32_t Run(double budget, bool force);

 private:
  struct Call {
    float estimatedTime;
    Callback callback;
    void* user;
    int32_t a;
    int32_t b;
  };

  // Takes the first call off the list and runs it; answers the seconds it took.
  double RunFront();

  std::deque<Call> calls;
};
