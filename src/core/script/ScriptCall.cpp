#include "core/script/ScriptCall.h"

#include <cmath>
#include <cstdarg>
#include <string>

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/script/LuaManager.h"

namespace {

// "<name>:  <kind>, <reason>\n" with the reason formatted from the caller's arguments.
// The reason's texts are cut already; the precision keeps it from being cut again.
void LogReason(const char* name, const char* separator, const char* kind, const char* format,
               va_list arguments) {
  const std::string reason = FormatLogText(format, arguments);
  Log("%s%s%s, %.*s\n", name, separator, kind, static_cast<int>(reason.size()), reason.c_str());
}

}  // namespace

ScriptCall::ScriptCall(lua_State* state, const char* name, const char* invalidLine,
                       const char* separator)
    : state(state),
      name(name),
      invalidLine(invalidLine),
      separator(separator != nullptr ? separator : kTwoBlanks),
      count(lua_gettop(state)) {}

bool ScriptCall::Fits(Arity arity) {
  if (arity.Fits(count)) return true;
  FailInvalid();
  return false;
}

bool ScriptCall::Arguments(Arity arity, std::span<const char*> texts) {
  if (!Fits(arity)) return false;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (!RequireText(static_cast<int>(i) + 1, texts[i])) return false;
  }
  return true;
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

bool ScriptCall::Flag(int index) const {
  const double number = Number(index);
  return number != 0.0 && !std::isnan(number);
}

int ScriptCall::Fail(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  LogReason(name, separator, "Failed", format, arguments);
  va_end(arguments);
  return 0;
}

int ScriptCall::FailInvalid() {
  if (invalidLine != nullptr) {
    Log("%s", invalidLine);
    return 0;
  }
  return Fail("invalid argument list");
}

void ScriptCall::Warn(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  LogReason(name, separator, "Warning", format, arguments);
  va_end(arguments);
}

int ScriptCall::Push(double number) {
  lua_pushnumber(state, number);
  return ++results;
}

int ScriptCall::PushText(const char* text) {
  if (text == nullptr) return PushNil();
  return PushText(std::string_view(text));
}

int ScriptCall::PushText(std::string_view text) {
  const std::string copy(text);
  lua_pushlstring(state, copy.data(), copy.size());
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

void RegisterWithLuaManager(const ScriptFamily& family) {
  if (gLuaManager != nullptr && family.RegistersWithManager()) {
    RegisterScriptFunctions(gLuaManager->GetState(), family.functions);
  }
}
