#pragma once

#include <lua.hpp>
#include <span>

// A script function as registered: a name and the C function behind it.
struct ScriptFunction {
  const char* name;
  lua_CFunction function;
};

// When a family's functions become globals, which content can tell apart. A family registered with
// the Lua manager exists from the first script on and logs its "manager not created" line until its
// manager is created; one registered with its manager does not exist before that manager (calling
// it is a Lua error) and is registered again by each one constructed.
enum class ScriptTiming {
  WithLuaManager,
  WithManager,
  WithBoth,  // with the Lua manager, and again with its manager
};

// A family of script functions, as its binding file exports it: the functions become globals in
// the table's order. The program lists every family once; the Lua manager registers those of its
// timing from that list, and a manager hands its own to RegisterWithLuaManager.
struct ScriptFamily {
  const char* name;
  ScriptTiming timing;
  std::span<const ScriptFunction> functions;

  bool RegistersWithLuaManager() const { return timing != ScriptTiming::WithManager; }
  bool RegistersWithManager() const { return timing != ScriptTiming::WithLuaManager; }
};
