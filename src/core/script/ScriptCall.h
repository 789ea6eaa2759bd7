#pragma once

#include <cstdint>
#include <exception>
#include <lua.hpp>
#include <span>
#include <string>

#include "core/Log.h"

// One call of a script function: reads its arguments, converts numbers through the shared helper,
// and writes its failure and warning lines. Every script function of the system goes through it,
// so the checks and the wording live in one place.
//
// A function names itself in its lines, e.g. "MM PlaySound" gives
//   "MM PlaySound:  Failed, invalid argument list\n".
// Functions whose invalid-argument line has its own wording pass the whole line instead.
class ScriptCall {
 public:
  ScriptCall(lua_State* state, const char* name, const char* invalidLine = nullptr);

  lua_State* State() const { return state; }
  const char* Name() const { return name; }
  int Count() const { return count; }

  // Argument-count forms; each logs the invalid-argument line when the count does not fit.
  bool Exactly(int expected);
  bool AtLeast(int minimum);

  // The text of argument i (1-based): numbers come as their text; nil, booleans, tables and missing
  // arguments give none.
  const char* Text(int index) const;
  // A text the function cannot do without: logs the invalid-argument line when it is missing.
  bool RequireText(int index, const char*& out);
  // Missing and non-numeric arguments read as 0.
  double Number(int index) const;
  int32_t Integer(int index) const;
  float Float(int index) const;

  // Log "<name>:  Failed, <reason>\n" and answer 0 (no results).
  int Fail(const char* reason);
  int FailInvalid();
  // Log "<name>:  Warning, <text>\n"; the call goes on.
  void Warn(const char* text);
  // The manager a function acts on; logs "<name>:  Failed, manager not created\n" when absent.
  template <class Manager>
  Manager* Require(Manager* manager) {
    if (manager == nullptr) Fail("manager not created");
    return manager;
  }

  // Results. Each answers the number of results pushed so far, for the function's return.
  int Push(double number);
  int PushText(const char* text);  // none pushes nil
  int PushNil();
  int Results() const { return results; }

 private:
  lua_State* state;
  const char* name;
  const char* invalidLine;
  int count;
  int results = 0;
};

// A script function as registered: a name and the C function behind it.
struct ScriptFunction {
  const char* name;
  lua_CFunction function;
};

// Keeps C++ exceptions from unwinding through Lua's C frames: the call is logged and answers
// nothing instead.
template <lua_CFunction Function>
int GuardedScriptFunction(lua_State* state) noexcept {
  try {
    return Function(state);
  } catch (const std::exception& error) {
    Log("Script function error: %s\n", error.what());
  } catch (...) {
    Log("Script function error: unknown exception\n");
  }
  return 0;
}

template <lua_CFunction Function>
constexpr ScriptFunction ScriptEntry(const char* name) {
  return {name, &GuardedScriptFunction<Function>};
}

// Registers each function as a global of the state (a C closure without upvalues). A name
// registered twice refers to the last function given.
void RegisterScriptFunctions(lua_State* state, std::span<const ScriptFunction> functions);
