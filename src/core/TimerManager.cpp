#include "core/TimerManager.h"

#include <algorithm>

#include "core/Convert.h"
#include "core/script/ScriptCall.h"

TimerManager::TimerManager() { RegisterWithLuaManager(kTimerFamily); }

void TimerManager::Tick() {
  for (Timer& timer : timers) timer.value = WrapAdd(timer.value, 1);
}

void TimerManager::AddTimer(std::string_view name, int32_t start) {
  timers.push_back({std::string(name), start});
}

int32_t TimerManager::GetTimer(std::string_view name) const {
  const auto found = Find(name);
  return found != timers.end() ? found->value : -700;
}

void TimerManager::DelTimer(std::string_view name) {
  const auto found = Find(name);
  if (found != timers.end()) timers.erase(found);
}

std::vector<TimerManager::Timer>::const_iterator TimerManager::Find(std::string_view name) const {
  return std::find_if(timers.begin(), timers.end(),
                      [name](const Timer& timer) { return timer.name == name; });
}
