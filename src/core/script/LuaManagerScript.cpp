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
#include "core/script/ScriptRegistrars.h"

namespace {

int GetScriptCode(lua_State* state) {
  ScriptCall call(state, "GetScriptCode");
  LuaManager* lua = call.Require(gLuaManager);
  if (lua == nullptr) return 0;
  return call.Push(lua->GetScriptCode());
}

int GetScriptString(lua_State* state) {
  ScriptCall call(state, "GetScriptString");
  LuaManager* lua = call.Require(gLuaManager);
  if (lua == nullptr) return 0;
  return call.PushText(lua->GetScriptString());
}

// Reversed bounds are swapped and the span is taken in 64 bits, so every pair of bounds gives a
// number between them (equal bounds give that number).
int Get_Random_Number(lua_State* state) {
  ScriptCall call(state, "Get Random Number");
  if (!call.Exactly(2)) return 0;
  int32_t low = call.Integer(1);
  int32_t high = call.Integer(2);
  if (high < low) std::swap(low, high);
  const int64_t span = static_cast<int64_t>(high) - low + 1;
  const int64_t drawn = static_cast<int64_t>(std::rand()) % span;
  return call.Push(static_cast<double>(low + drawn));
}

int Activate_Debug_Mode(lua_State* state) {
  ScriptCall call(state, "Activate_Debug_Mode");
  LuaManager* lua = call.Require(gLuaManager);
  if (lua == nullptr) return 0;
  Log("Activating Lua debug mode\n");
  lua->SetDebugMode(true);
  return 0;
}

int Deactivate_Debug_Mode(lua_State* state) {
  ScriptCall call(state, "Deactivate_Debug_Mode");
  LuaManager* lua = call.Require(gLuaManager);
  if (lua == nullptr) return 0;
  Log("Deactivating Lua debug mode\n");
  lua->SetDebugMode(false);
  return 0;
}

// Keyed script paths come from the path manager, once the program has handed it over.
std::optional<std::string> BuildKeyedPath(ScriptCall& call, const LuaManager& lua, const char* key,
                                          const char* name) {
  const ScriptPathSource* paths = call.Require(lua.GetPathSource());
  if (paths == nullptr) return std::nullopt;
  return paths->BuildPath(key, name);
}

// One argument: the name with code -1. Two, or four and more: name and code. Exactly three: a path
// key, a name and a code. A name that is not a text fails before anything is loaded.
int LM_ExecuteScript(lua_State* state) {
  ScriptCall call(state, "LM ExecuteScript");
  if (!call.AtLeast(1)) return 0;
  LuaManager* lua = call.Require(gLuaManager);
  if (lua == nullptr) return 0;
  if (call.Count() == 3) {
    const char* key;
    const char* name;
    if (!call.RequireText(1, key) || !call.RequireText(2, name)) return 0;
    const std::optional<std::string> path = BuildKeyedPath(call, *lua, key, name);
    if (path) lua->ExecuteScript(path->c_str(), call.Integer(3));
    return 0;
  }
  const char* name;
  if (!call.RequireText(1, name)) return 0;
  lua->ExecuteScript(name, call.Count() == 1 ? -1 : call.Integer(2));
  return 0;
}

int LM_SetBasePath(lua_State* state) {
  ScriptCall call(state, "LM SetBasePath", "LM SetBasePath  Failed, invalid argument list\n");
  if (!call.Exactly(1)) return 0;
  LuaManager* lua = call.Require(gLuaManager);
  if (lua == nullptr) return 0;
  const char* path;
  if (!call.RequireText(1, path)) return 0;
  lua->SetBasePath(path);
  return 0;
}

// Character k of the types text fills the list from Lua argument 3 + k: "A" its text, "N" its
// number as a float, anything else skips it. Arguments past the last read as missing.
int LM_ExecuteScriptWithArguments(lua_State* state) {
  ScriptCall call(state, "LM_ExecuteScriptWithArguments");
  if (!call.AtLeast(2)) return 0;
  LuaManager* lua = call.Require(gLuaManager);
  if (lua == nullptr) return 0;
  const char* name;
  const char* types;
  if (!call.RequireText(1, name) || !call.RequireText(2, types)) return 0;
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
  if (!call.Exactly(1)) return 0;
  LuaManager* lua = call.Require(gLuaManager);
  if (lua == nullptr) return 0;
  return call.Push(lua->GetArgumentNumber(call.Integer(1)));
}

int LM_GetScriptArgumentString(lua_State* state) {
  ScriptCall call(state, "LM_GetScriptArgumentString");
  if (!call.Exactly(1)) return 0;
  LuaManager* lua = call.Require(gLuaManager);
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

void RegisterLuaManagerFunctions(lua_State* state) {
  RegisterScriptFunctions(state, kLuaManagerFunctions);
}
