#pragma once

#include <string>

#include "core/script/LuaManager.h"
#include "program/ProgramScriptFamilies.h"
#include "support/GlobalsFixture.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

// A script call and exactly what it must log.
struct ScriptFailure {
  const char* call;
  const char* logged;
};

// A test with its own working directory, captured log lines and a fresh Lua manager installed as
// gLuaManager. Scripts are written into the directory and run through the manager.
class LuaFixture : public GlobalsFixture {
 protected:
  LuaFixture();

  // Writes the code to the file (relative to the working directory).
  void WriteScript(const std::string& file, const std::string& code) { dir.Write(file, code); }
  // Writes the code to "test.lua" and runs it with the given script code.
  bool Run(const std::string& code, int32_t scriptCode = -1);

  // Runs the call in a script and expects exactly the logged text and no results from the call.
  void ExpectFailure(const std::string& call, const std::string& logged);
  template <size_t N>
  void ExpectFailures(const ScriptFailure (&failures)[N]) {
    for (const ScriptFailure& failure : failures) ExpectFailure(failure.call, failure.logged);
  }

  // A global of the state: its number (0 when not numeric), its text ("<nil>" when nil, other
  // non-texts as their type name), or whether it is nil.
  double Number(const char* global);
  std::string Text(const char* global);
  bool IsNil(const char* global);

  lua_State* State() { return lua.GetState(); }

  TempDir dir;
  LogCapture log;
  LuaManager lua{ProgramScriptFamilies()};
};
