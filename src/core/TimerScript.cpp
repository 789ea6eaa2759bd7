// The timer manager's script functions.

#include "core/Globals.h"
#include "core/TimerManager.h"
#include "core/script/ScriptCall.h"

namespace {

// Every timer function takes the counter's name first.
TimerManager* ReadTimerCall(ScriptCall& call, int arguments, const char*& name) {
  if (!call.Exactly(arguments) || !call.RequireText(1, name)) return nullptr;
  return call.Require(gTimerManager);
}

int TimerManager_AddTimer(lua_State* state) {
  ScriptCall call(state, "TimerManager AddTimer");
  const char* name;
  TimerManager* timers = ReadTimerCall(call, 2, name);
  if (timers != nullptr) timers->AddTimer(name, call.Integer(2));
  return 0;
}

int TimerManager_GetTimer(lua_State* state) {
  ScriptCall call(state, "TimerManager GetTimer");
  const char* name;
  TimerManager* timers = ReadTimerCall(call, 1, name);
  if (timers == nullptr) return 0;
  return call.Push(timers->GetTimer(name));
}

int TimerManager_DelTimer(lua_State* state) {
  ScriptCall call(state, "TimerManager DelTimer");
  const char* name;
  TimerManager* timers = ReadTimerCall(call, 1, name);
  if (timers != nullptr) timers->DelTimer(name);
  return 0;
}

const ScriptFunction kTimerFunctions[] = {
    ScriptEntry<TimerManager_AddTimer>("TimerManager_AddTimer"),
    ScriptEntry<TimerManager_GetTimer>("TimerManager_GetTimer"),
    ScriptEntry<TimerManager_DelTimer>("TimerManager_DelTimer"),
};

}  // namespace

void RegisterTimerFunctions(lua_State* state) { RegisterScriptFunctions(state, kTimerFunctions); }
