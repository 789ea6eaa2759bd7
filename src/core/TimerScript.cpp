// The timer manager's script functions.

#include "core/Globals.h"
#include "core/TimerManager.h"
#include "core/script/ScriptCall.h"

namespace {

int TimerManager_AddTimer(lua_State* state) {
  ScriptCall call(state, "TimerManager AddTimer");
  const char* name;
  TimerManager* timers = call.Begin(2, gTimerManager, name);
  if (timers != nullptr) timers->AddTimer(name, call.Integer(2));
  return 0;
}

int TimerManager_GetTimer(lua_State* state) {
  ScriptCall call(state, "TimerManager GetTimer");
  const char* name;
  TimerManager* timers = call.Begin(1, gTimerManager, name);
  return timers != nullptr ? call.Push(timers->GetTimer(name)) : 0;
}

int TimerManager_DelTimer(lua_State* state) {
  ScriptCall call(state, "TimerManager DelTimer");
  const char* name;
  if (TimerManager* timers = call.Begin(1, gTimerManager, name)) timers->DelTimer(name);
  return 0;
}

const ScriptFunction kTimerFunctions[] = {
    ScriptEntry<TimerManager_AddTimer>("TimerManager_AddTimer"),
    ScriptEntry<TimerManager_GetTimer>("TimerManager_GetTimer"),
    ScriptEntry<TimerManager_DelTimer>("TimerManager_DelTimer"),
};

}  // namespace

const ScriptFamily kTimerFamily = {"Timers", ScriptTiming::WithManager, kTimerFunctions};
