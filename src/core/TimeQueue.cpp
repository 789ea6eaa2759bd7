#include "core/TimeQueue.h"

#include "core/Convert.h"
#include "core/Log.h"

TimeQueue::TimeQueue() {
  // The front and back of a new queue are none, which the line shows as zeros.
  Log("TimeQueue: %i %i %i\n", 0, 0, count);
}

bool TimeQueue::PushTimed(const char* name, int32_t duration, bool hold, void* payload) {
  if (payload == nullptr) return false;
  entries.push_back(Timed{name != nullptr ? name : "", duration, hold, payload});
  ++count;
  return true;
}

void* TimeQueue::Advance(int32_t elapsed, bool& fired) {
  fired = false;
  if (entries.empty()) return nullptr;
  Timed& front = entries.front();
  // A held entry runs down on every tick for as long as the game runs: saturate, never overflow.
  front.remaining = SaturatingSubtract(front.remaining, elapsed);
  if (front.remaining > 0 || front.hold) return front.payload;

  fired = true;
  void* payload = front.payload;
  const int32_t overshoot = front.remaining;
  entries.pop_front();
  --count;
  if (!entries.empty()) {
    entries.front().remaining = SaturatingAdd(entries.front().remaining, overshoot);
  }
  return payload;
}

void* TimeQueue::PopFront() {
  if (entries.empty()) return nullptr;
  void* payload = entries.front().payload;
  entries.pop_front();
  --count;
  return payload;
}
