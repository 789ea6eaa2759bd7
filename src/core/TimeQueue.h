#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "core/GenericQueue.h"

// An NPC's queue of timed AI packages. Only the front entry's time runs down; when it runs out the
// entry leaves and its overshoot is charged to the next one, so a sequence of timed actions keeps
// its total length however the ticks fall. Held entries never run out. The payloads belong to the
// caller: the queue never frees them.
//
// It keeps the plain queue's Push and Pop as they are: they act on (name, int32) pairs beside the
// timed entries, which they never touch, and count with them.
class TimeQueue : public GenericQueue {
 public:
  // Logs "TimeQueue: 0 0 0\n".
  TimeQueue();

  // Appends an entry that runs for duration ticks, or until removed when held. A none payload is
  // not queued (answers false); a none name is kept as an empty one.
  bool PushTimed(const char* name, int32_t duration, bool hold, void* payload);

  // Runs the front entry's time down by elapsed ticks and answers its payload; fired says whether
  // that entry ran out and left the queue on this call. An empty queue answers none.
  void* Advance(int32_t elapsed, bool& fired);
  // Removes the front entry and answers its payload; none when empty.
  void* PopFront();
  // The front entry's payload, left in place; none when empty.
  void* Front() const { return entries.empty() ? nullptr : entries.front().payload; }

 private:
  struct Timed {
    std::string name;
    int32_t remaining;
    bool hold;
    void* payload;
  };
  std::deque<Timed> entries;
};
