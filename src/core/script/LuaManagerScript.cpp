// The Lua manager's own script functions: script codes, random numbers, the debug flag, running
// scripts and the argument list one script hands to the next.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "core/Globals.h"
#include "core/script/LuaManager.h"
#include "core/script/ScriptCall.h"
#include "core/script/ScriptPathSource.h"

namespace {

int GetScriptCode(lua_State* state) {
  ScriptCall call(state, "GetScriptCode");
  LuaManager* lua = call.Begin(Arity::Any(), gLuaManager);
  return lua != nullptr ? call.Push(lua->GetScriptCode()) : 0;
}

int GetScriptString(lua_State* state) {
  ScriptCall call(state, "GetScriptString");
  LuaManager* lua = call.Begin(Arity::Any(), gLuaManager);
  return lua != nullptr ? call.PushText(lua->GetScriptString()) : 0;
}

// Reversed bounds are swapped and the span is taken in 64 bits, so every pair of bounds gives a
// number between them (equal bounds give that number).
int Get_Random_Number(lua_State* state) {
  ScriptCall call(state, "Get Random Number");
  if (!call.Arguments(2)) return 0;
  int32_t low = call.Integer(1);
  int32_t high = call.Integer(2);
  if (high < low) std::swap(low, high);
  const int64_t span = static_cast<int64_t>(high) - low + 1;
  const int64_t drawn = static_cast<int64_t>(std::rand()) % span;
  return call.Push(static_cast<double>(low + drawn));
}

int Activate_Debug_Mode(lua_State* state) {
  ScriptCall call(state, "Activate_Debug_Mode");
  LuaManager* lua = call.Begin(Arity::Any(), gLuaManager);
  if (lua == nullptr) return 0;
  Log("Activating Lua debug mode\n");
  lua->SetDebugMode(true);
  return 0;
}

int Deactivate_Debug_Mode(lua_State* state) {
  ScriptCall call(state, "Deactivate_Debug_Mode");
  LuaManager* lua = call.Begin(Arity::Any(), gLuaManager);
  if (lua == nullptr) return 0;
  Log("Deactivating Lua debug mode\n");
  lua->SetDebugMode(false);
  return 0;
}

// Keyed script paths come from the path manager, once the program has bound it; without it the
// keyed form reports the manager missing.
std::optional<std::string> BuildKeyedPath(ScriptCall& call, const char* key, const char* name) {
  const ScriptPathSource* paths = call.Require(gScriptPathSource);
  if (paths == nullptr) return std::nullopt;
  return paths->BuildPath(key, name);
}

// One argument: the name with code -1. Two, or four and more: name and code. Exactly three: a path
// key, a name and a code. A name that is not a text fails before anything is loaded.
int LM_ExecuteScript(lua_State* state) {
  ScriptCall call(state, "LM ExecuteScript");
  const char* name;
  if (call.Count() == 3) {
    const char* key;
    LuaManager* lua = call.Begin(3, gLuaManager, key, name);
    if (lua == nullptr) return 0;
    const std::optional<std::string> path = BuildKeyedPath(call, key, name);
    if (path) lua->ExecuteScript(path->c_str(), call.Integer(3));
    return 0;
  }
  LuaManager* lua = call.Begin(Arity::AtLeast(1), gLuaManager, name);
  if (lua != nullptr) lua->ExecuteScript(name, call.Count() == 1 ? -1 : call.Integer(2));
  return 0;
}

int LM_SetBasePath(lua_State* state) {
  ScriptCall call(state, "LM SetBasePath", "LM SetBasePath  Failed, invalid argument list\n");
  const char* path;
  if (LuaManager* lua = call.Begin(1, gLuaManager, path)) lua->SetBasePath(path);
  return 0;
}

// Character k of the types text fills the list from Lua argument 3 + k: "A" its text, "N" its
// number as a float, anything else skips it. Arguments past the last read as missing.
int LM_ExecuteScriptWithArguments(lua_State* state) {
  ScriptCall call(state, "LM_ExecuteScriptWithArguments");
  const char* name;
  const char* types;
  LuaManager* lua = call.Begin(Arity::AtLeast(2), gLuaManager, name, types);
  if (lua == nullptr) return 0;
  const size_t typeCount = std::strlen(types);
  lua->ClearArguments();
  lua->AllocateArguments(static_cast<int32_t>(std::min<size_t>(typeCount, INT32_MAX)));
  for (size_t k = 0; k < typeCount; ++k) {
    const int argument = static_cast<int>(std::min<size_t>(3 + k, INT32_MAX));
    if (types[k] == 'A') {
      lua->AddStringArgument(call.Text(argument));
    } else if (types[k] == 'N') {
      lua->AddNumberArgument(call.Float(argument));
    }
  }
  lua->ExecuteScript(name, 0);
  return 0;
}

int LM_GetScriptArgumentNumber(lua_State* state) {
  ScriptCall call(state, "LM_GetScriptArgumentNumber");
  LuaManager* lua = call.Begin(1, gLuaManager);
  return lua != nullptr ? call.Push(lua->GetArgumentNumber(call.Integer(1))) : 0;
}

int LM_GetScriptArgumentString(lua_State* state) {
  ScriptCall call(state, "LM_GetScriptArgumentString");
  LuaManager* lua = call.Begin(1, gLuaManager);
  if (lua == nullptr) return 0;
  const int32_t index = call.Integer(1);
  if (!lua->HasArgument(index)) return call.PushText("ARGUMENT WAS OUT OF RANGE");
  const std::optional<std::string> text = lua->GetArgumentString(index);
  return call.PushText(text ? text->c_str() : nullptr);
}

const ScriptFunction kLuaManagerFunctions[] = {
    ScriptEntry<GetScriptCode>("GetScriptCode"),
    ScriptEntry<GetScriptString>("GetScriptString"),
    ScriptEntry<Get_Random_Number>("Get_Random_Number"),
    ScriptEntry<Activate_Debug_Mode>("Activate_Debug_Mode"),
    ScriptEntry<Deactivate_Debug_Mode>("Deactivate_Debug_Mode"),
    ScriptEntry<LM_ExecuteScript>("LM_ExecuteScript"),
    ScriptEntry<LM_SetBasePath>("LM_SetBasePath"),
    ScriptEntry<LM_ExecuteScriptWithArguments>("LM_ExecuteScriptWithArguments"),
    ScriptEntry<LM_GetScriptArgumentNumber>("LM_GetScriptArgumentNumber"),
    ScriptEntry<LM_GetScriptArgumentString>("LM_GetScriptArgumentString"),
};

}  // namespace

const ScriptFamily kLuaManagerFamily = {"LuaManager", ScriptTiming::WithLuaManager,
                                        kLuaManagerFunctions};
