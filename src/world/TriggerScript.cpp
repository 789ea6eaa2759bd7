#include <lua.hpp>

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "world/PropertyTrigger.h"
#include "world/Trigger.h"
#include "world/TriggerManager.h"

namespace {

int SetActiveTrigger(lua_State* state) {
  ScriptCall call(state, "Hook_SetActiveTrigger");
  const char* name;
  TriggerManager* triggers = call.Begin(1, gTriggerManager, name);
  if (triggers == nullptr) return 0;
  triggers->SetActiveTrigger(name);
  return call.Push(1);
}

int AddRectangularTrigger(lua_State* state) {
  ScriptCall call(state, "Hook_AddRectangularTrigger");
  const char* name;
  TriggerManager* triggers = call.Begin(5, gTriggerManager, name);
  if (triggers == nullptr) return 0;
  triggers->AddRectangularTrigger(name, call.Integer(2), call.Integer(3), call.Integer(4),
                                  call.Integer(5));
  return call.Push(1);
}

int AddRadialTrigger(lua_State* state) {
  ScriptCall call(state, "Hook_AddRadialTrigger");
  const char* name;
  TriggerManager* triggers = call.Begin(4, gTriggerManager, name);
  if (triggers == nullptr) return 0;
  triggers->AddRadialTrigger(name, call.Integer(2), call.Integer(3), call.Integer(4));
  return call.Push(1);
}

int AddPropertyTrigger(lua_State* state) {
  ScriptCall call(state, "AddPropertyTrigger");
  const char* name;
  TriggerManager* triggers = call.Begin(1, gTriggerManager, name);
  if (triggers == nullptr) return 0;
  triggers->AddPropertyTrigger(name);
  return call.Push(1);
}

int SetTriggerProperties(lua_State* state) {
  ScriptCall call(state, "Hook_SetTriggerProperties");
  const char* script;
  TriggerManager* triggers = call.Begin(5, gTriggerManager, script);
  if (triggers == nullptr) return 0;
  if (Trigger* trigger = triggers->GetActiveTrigger()) {
    trigger->SetProperties(script, call.Integer(2), call.Float(3), call.Integer(4),
                           call.Integer(5));
  } else {
    Log("LUA Warning:  ActiveTrigger is null.  Something is wrong.\n");
  }
  return call.Push(1);
}

// With a text and a number: the trigger's WatchProperty, which does nothing. With three texts
// (owner, object, property): the routed property becomes the watched value.
int TriggerWatchProperty(lua_State* state) {
  ScriptCall call(state, "TriggerWatchProperty");
  const char *first, *second, *third;
  if (call.Count() == 3) {
    TriggerManager* triggers = call.Begin(3, gTriggerManager, first, second, third);
    if (triggers == nullptr) return 0;
    if (PropertyTrigger* trigger = triggers->GetActivePropertyTrigger()) {
      trigger->WatchRoutedProperty(first, second, third);
    }
    return 0;
  }
  TriggerManager* triggers = call.Begin(2, gTriggerManager, first);
  if (triggers == nullptr) return 0;
  if (PropertyTrigger* trigger = triggers->GetActivePropertyTrigger()) {
    trigger->WatchProperty(first, call.Integer(2));
  }
  return 0;
}

int TriggerAddEquivalency(lua_State* state) {
  ScriptCall call(state, "TriggerAddEquivalency");
  const char* label;
  TriggerManager* triggers = call.Begin(3, gTriggerManager, label);
  if (triggers == nullptr) return 0;
  if (PropertyTrigger* trigger = triggers->GetActivePropertyTrigger()) {
    trigger->AddComparison(label, call.Integer(2), call.Float(3));
  }
  return 0;
}

// These three act on the active property trigger and say nothing on any other argument list.
PropertyTrigger* ActivePropertyTrigger(ScriptCall& call) {
  TriggerManager* triggers = call.Require(gTriggerManager);
  return triggers != nullptr ? triggers->GetActivePropertyTrigger() : nullptr;
}

int TriggerModifyEquivalency(lua_State* state) {
  ScriptCall call(state, "TriggerModifyEquivalency");
  PropertyTrigger* trigger = ActivePropertyTrigger(call);
  if (trigger != nullptr && call.Count() == 3) {
    trigger->ModifyComparison(call.Text(1), call.Integer(2), call.Float(3));
  }
  return 0;
}

int TriggerRemoveEquivalency(lua_State* state) {
  ScriptCall call(state, "TriggerRemoveEquivalency");
  PropertyTrigger* trigger = ActivePropertyTrigger(call);
  if (trigger != nullptr && call.Count() == 1) trigger->RemoveComparison(call.Text(1));
  return 0;
}

int TriggerClearEquivalencies(lua_State* state) {
  ScriptCall call(state, "TriggerClearEquivalencies");
  PropertyTrigger* trigger = ActivePropertyTrigger(call);
  if (trigger != nullptr && call.Count() == 0) trigger->ClearComparisons();
  return 0;
}

const ScriptFunction kTriggerFunctions[] = {
    ScriptEntry<SetActiveTrigger>("SetActiveTrigger"),
    ScriptEntry<AddRectangularTrigger>("AddRectangularTrigger"),
    ScriptEntry<AddRadialTrigger>("AddRadialTrigger"),
    ScriptEntry<AddPropertyTrigger>("AddPropertyTrigger"),
    ScriptEntry<SetTriggerProperties>("SetTriggerProperties"),
    ScriptEntry<TriggerWatchProperty>("TriggerWatchProperty"),
    ScriptEntry<TriggerAddEquivalency>("TriggerAddEquivalency"),
    ScriptEntry<TriggerModifyEquivalency>("TriggerModifyEquivalency"),
    ScriptEntry<TriggerRemoveEquivalency>("TriggerRemoveEquivalency"),
    ScriptEntry<TriggerClearEquivalencies>("TriggerClearEquivalencies"),
};

}  // namespace

const ScriptFamily kTriggerFamily = {"Triggers", ScriptTiming::WithLuaManager, kTriggerFunctions};
