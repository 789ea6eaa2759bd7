#include "core/DeferredCallList.h"

#include "core/Clock.h"

int32_t DeferredCallList::Push(float estimatedTime, Callback callback, void* user, int32_t a,
                               int32_t b) {
  if (callback == nullptr) return -1;
  calls.push_back({estimatedTime, callback, user, a, b});
  return 0;
}

void DeferredCallList::PopFront() {
  if (!calls.empty()) calls.pop_front();
}

int32_t DeferredCallList::RemoveByUser(const void* user) {
  const size_t before = calls.size();
  std::erase_if(calls, [user](const Call& call) { return call.user == user; });
  return static_cast<int32_t>(before - calls.size());
}

double DeferredCallList::RunFront() {
  const Call call = calls.front();
  calls.pop_front();
  const double started = WallClock();
  call.callback(call.user, call.a, call.b);
  return WallClock() - started;
}

int32_t DeferredCallList::Run(double budget, bool force) {
  if (calls.empty()) return 0;
  if (budget > kRunThreshold) {
    do {
      budget -= RunFront();
    } while (!calls.empty() && budget > kRunThreshold);
  } else if (force) {
    RunFront();
  }
  return 0;
}
