#include "core/script/ScriptCall.h"

#include "core/Convert.h"

ScriptCall::ScriptCall(lua_State* state, const char* name, const char* invalidLine)
    : state(state), name(name), invalidLine(invalidLine), count(lua_gettop(state)) {}

bool ScriptCall::Exactly(int expected) {
  if (count == expected) return true;
  FailInvalid();
  return false;
}

bool ScriptCall::AtLeast(int minimum) {
  if (count >= minimum) return true;
  FailInvalid();
  return false;
}

const char* ScriptCall::Text(int index) const {
  if (index < 1 || index > count) return nullptr;
  const int type = lua_type(state, index);
  if (type != LUA_TSTRING && type != LUA_TNUMBER) return nullptr;
  return lua_tolstring(state, index, nullptr);
}

bool ScriptCall::RequireText(int index, const char*& out) {
  out = Text(index);
  if (out != nullptr) return true;
  FailInvalid();
  return false;
}

double ScriptCall::Number(int index) const {
  if (index < 1 || index > count) return 0.0;
  return lua_tonumber(state, index);
}

int32_t ScriptCall::Integer(int index) const { return ToInt32(Number(index)); }

float ScriptCall::Float(int index) const { return ToFloat(Number(index)); }

int ScriptCall::Fail(const char* reason) {
  Log("%s:  Failed, %s\n", name, reason);
  return 0;
}

int ScriptCall::FailInvalid() {
  if (invalidLine != nullptr) {
    Log("%s", invalidLine);
    return 0;
  }
  return Fail("invalid argument list");
}

void ScriptCall::Warn(const char* text) { Log("%s:  Warning, %s\n", name, text); }

int ScriptCall::Push(double number) {
  lua_pushnumber(state, number);
  return ++results;
}

int ScriptCall::PushText(const char* text) {
  if (text == nullptr) {
    lua_pushnil(state);
  } else {
    lua_pushstring(state, text);
  }
  return ++results;
}

int ScriptCall::PushNil() {
  lua_pushnil(state);
  return ++results;
}

void RegisterScriptFunctions(lua_State* state, std::span<const ScriptFunction> functions) {
  if (state == nullptr) return;
  // Set raw: a script may have guarded the globals table with metamethods, and an error raised
  // here, outside any protected call, would end the program.
  for (const ScriptFunction& function : functions) {
    lua_pushstring(state, function.name);
    lua_pushvalue(state, -1);
    lua_pushcclosure(state, function.function, 1);
    lua_rawset(state, LUA_GLOBALSINDEX);
  }
}

const char* RegisteredName(lua_State* state) {
  // A function without upvalues reads nil here, never another value.
  const char* name = lua_tostring(state, lua_upvalueindex(1));
  return name != nullptr ? name : "Script function";
}
