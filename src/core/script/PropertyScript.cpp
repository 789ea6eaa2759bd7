// The property router's script functions: read and write a routed value by its three texts.

#include <lua.hpp>

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptCall.h"

namespace {

// Checks the count and the router, then routes the three texts starting at argument first; none
// texts match nothing. Answers a reference of no type (after the call's line) when the router is
// missing or the value was not found.
PropertyRef BeginRoute(ScriptCall& call, int arguments, int first) {
  PropertyManager* router = call.Begin(arguments, gPropertyManager);
  if (router == nullptr) return {};
  PropertyRef ref = router->Route(call.Text(first), call.Text(first + 1), call.Text(first + 2));
  if (!ref.IsAlive()) call.Fail("pointer was NULL");
  return ref;
}

int PM_GetValue(lua_State* state) {
  ScriptCall call(state, "PM GetValue");
  const PropertyRef ref = BeginRoute(call, 3, 1);
  if (!ref.IsAlive()) return 0;
  if (const uint8_t* flag = ref.AsByte()) return call.Push(*flag);
  if (const int32_t* integer = ref.AsInteger()) return call.Push(*integer);
  if (const float* number = ref.AsFloat()) return call.Push(*number);
  if (const double* number = ref.AsDouble()) return call.Push(*number);
  return call.Fail("pointer was not a primitive");
}

int PM_SetValue(lua_State* state) {
  ScriptCall call(state, "PM SetValue");
  const PropertyRef ref = BeginRoute(call, 4, 2);
  if (!ref.IsAlive()) return 0;
  const double value = call.Number(1);
  if (uint8_t* flag = ref.AsByte()) {
    *flag = call.Flag(1) ? 1 : 0;
  } else if (int32_t* integer = ref.AsInteger()) {
    *integer = ToInt32(value);
  } else if (float* number = ref.AsFloat()) {
    *number = ToFloat(value);
  } else if (double* number = ref.AsDouble()) {
    *number = value;
  } else {
    return call.Fail("pointer was not a primitive");
  }
  return 0;
}

int PM_GetPropertyPointerInteger(lua_State* state) {
  ScriptCall call(state, "PM GetPropertyPointer (int)");
  const PropertyRef ref = BeginRoute(call, 3, 1);
  if (!ref.IsAlive()) return 0;
  if (ref.GetType() == PropertyRef::kInteger) return call.Push(*ref.AsInteger());
  if (ref.GetType() == PropertyRef::kByte) return call.Push(*ref.AsByte());
  return call.Fail("pointer was not an Integer");
}

int PM_SetPropertyPointerInteger(lua_State* state) {
  ScriptCall call(state, "PM SetPropertyPointer (int)");
  const PropertyRef ref = BeginRoute(call, 4, 2);
  if (!ref.IsAlive()) return 0;
  if (ref.GetType() != PropertyRef::kInteger) return call.Fail("pointer was not an Integer");
  *ref.AsInteger() = call.Integer(1);
  return 0;
}

const ScriptFunction kPropertyFunctions[] = {
    ScriptEntry<PM_GetValue>("PM_GetValue"),
    ScriptEntry<PM_SetValue>("PM_SetValue"),
    ScriptEntry<PM_GetPropertyPointerInteger>("PM_GetPropertyPointerInteger"),
    ScriptEntry<PM_SetPropertyPointerInteger>("PM_SetPropertyPointerInteger"),
};

}  // namespace

const ScriptFamily kPropertyFamily = {"PropertyRouter", ScriptTiming::WithManager,
                                      kPropertyFunctions};
