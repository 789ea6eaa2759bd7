#pragma once

#include <cstdint>
#include <lua.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "core/script/ScriptFamily.h"

// Named tick counters for scripts: every game tick adds 1 to each. Names need not be unique;
// look-ups reach the oldest counter of a name.
class TimerManager {
 public:
  // Registers the timer script functions on the Lua manager's state, when there is one.
  TimerManager();
  TimerManager(const TimerManager&) = delete;
  TimerManager& operator=(const TimerManager&) = delete;

  // Adds 1 to every counter; a counter at the int32 limit wraps.
  void Tick();
  // Appends a counter holding start, whether or not the name is already used.
  void AddTimer(std::string_view name, int32_t start);
  // The oldest counter of that name, or -700 when there is none.
  int32_t GetTimer(std::string_view name) const;
  // Removes the oldest counter of that name; nothing when there is none.
  void DelTimer(std::string_view name);

 private:
  struct Timer {
    std::string name;
    int32_t value;
  };

  std::vector<Timer>::const_iterator Find(std::string_view name) const;

  std::vector<Timer> timers;
};

// "TimerManager_AddTimer", "TimerManager_GetTimer", "TimerManager_DelTimer"; the timer manager's
// constructor registers them.
extern const ScriptFamily kTimerFamily;
