#include "core/script/LuaManager.h"

#include <stdio_ext.h>

#include <cstring>
#include <string>

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "platform/ContentFile.h"

namespace {

// When a call of a library function counts as a file write.
enum class Writes : lua_Integer {
  kAlways,
  kUnlessReadMode,      // io.open: its mode (argument 2) opens for reading only
  kWhenInputWritable,   // reads of the default input, which flush what was written to it
  kWhenHandleWritable,  // a handle's functions, the handle first: only writable ones write
};

// Whether the value at the (absolute) index is an open file handle that can be written.
bool IsWritableHandle(lua_State* state, int index) {
  if (lua_type(state, index) != LUA_TUSERDATA || lua_getmetatable(state, index) == 0) return false;
  luaL_getmetatable(state, LUA_FILEHANDLE);
  const bool handle = lua_rawequal(state, -1, -2) != 0;
  lua_pop(state, 2);
  if (!handle) return false;
  FILE* file = *static_cast<FILE**>(lua_touserdata(state, index));
  return file != nullptr && __fwritable(file) != 0;
}

bool CallWrites(lua_State* state, Writes writes) {
  switch (writes) {
    case Writes::kAlways:
      return true;
    case Writes::kUnlessReadMode: {
      if (lua_isnoneornil(state, 2)) return false;
      if (lua_type(state, 2) != LUA_TSTRING) return true;
      const char* mode = lua_tostring(state, 2);
      return mode[0] != 'r' || std::strchr(mode, '+') != nullptr;
    }
    case Writes::kWhenInputWritable: {
      // The io functions keep the default input in their environment, which the wrapper shares.
      lua_rawgeti(state, LUA_ENVIRONINDEX, 1);
      const bool writable = IsWritableHandle(state, lua_gettop(state));
      lua_pop(state, 1);
      return writable;
    }
    case Writes::kWhenHandleWritable:
      return IsWritableHandle(state, 1);
  }
  return true;
}

// Counts the write, then runs the library's own function (upvalue 1) in this very call, so that
// its results and errors (which name the function as the caller called it) are its own. Scripts
// cannot reach a C function's upvalues.
int CountingCall(lua_State* state) {
  if (CallWrites(state, static_cast<Writes>(lua_tointeger(state, lua_upvalueindex(2))))) {
    ++gFileWrites;
  }
  return lua_tocfunction(state, lua_upvalueindex(1))(state);
}

// Replaces the C function at table[name] with one that counts its writes first.
void CountWrites(lua_State* state, int table, const char* name, Writes writes) {
  lua_getfield(state, table, name);
  if (lua_tocfunction(state, -1) == nullptr) {
    lua_pop(state, 1);
    return;
  }
  lua_getfenv(state, -1);
  lua_pushvalue(state, -2);
  lua_pushinteger(state, static_cast<lua_Integer>(writes));
  lua_pushcclosure(state, CountingCall, 2);
  // The io functions keep their default files in their environment, and a handle they make takes
  // the environment of the function that makes it.
  lua_insert(state, -2);
  lua_setfenv(state, -2);
  lua_setfield(state, table, name);
  lua_pop(state, 1);
}

// Every way a script can write, rename or remove a file counts in gFileWrites, so that a script
// that writes a script file and runs it sees what it wrote.
void CountScriptFileWrites(lua_State* state) {
  lua_getglobal(state, LUA_IOLIBNAME);
  const int io = lua_gettop(state);
  CountWrites(state, io, "open", Writes::kUnlessReadMode);
  for (const char* name : {"output", "popen", "write", "flush", "close"}) {
    CountWrites(state, io, name, Writes::kAlways);
  }
  for (const char* name : {"read", "lines"}) {
    CountWrites(state, io, name, Writes::kWhenInputWritable);
  }
  lua_getglobal(state, LUA_OSLIBNAME);
  for (const char* name : {"rename", "remove", "execute"}) {
    CountWrites(state, io + 1, name, Writes::kAlways);
  }
  lua_pop(state, 2);

  // Every function of a handle, its collector too: buffered writes reach the file when the handle
  // is flushed, sought, read, closed or collected.
  luaL_getmetatable(state, LUA_FILEHANDLE);
  const int metatable = lua_gettop(state);
  for (lua_pushnil(state); lua_next(state, metatable) != 0; lua_pop(state, 1)) {
    if (lua_type(state, -2) == LUA_TSTRING && lua_tocfunction(state, -1) != nullptr) {
      const std::string name = lua_tostring(state, -2);
      CountWrites(state, metatable, name.c_str(), Writes::kWhenHandleWritable);
    }
  }
  lua_pop(state, 1);
}

// Lua runs a userdata's __gc unprotected at any allocation, inside any script function, so no
// script may give one a finalizer. The only userdata the libraries hand scripts are file handles;
// their collector calls the __close of the handle's environment, so that is closed off too.
void CloseFinalizerRoads(lua_State* state) {
  lua_pushnil(state);
  lua_setglobal(state, "newproxy");

  // The handles' metatable is its own __index, so handle.__index would hand it out: the methods
  // move to a table of their own, and getmetatable answers false.
  luaL_getmetatable(state, LUA_FILEHANDLE);
  const int metatable = lua_gettop(state);
  lua_newtable(state);
  for (lua_pushnil(state); lua_next(state, metatable) != 0; lua_pop(state, 1)) {
    size_t length = 0;
    const char* key = lua_type(state, -2) == LUA_TSTRING ? lua_tolstring(state, -2, &length) : "";
    if (length < 2 || key[0] != '_' || key[1] != '_') {
      lua_pushvalue(state, -2);
      lua_pushvalue(state, -2);
      lua_rawset(state, metatable + 1);
    }
  }
  lua_setfield(state, metatable, "__index");
  lua_pushboolean(state, 0);
  lua_setfield(state, metatable, "__metatable");
  lua_pop(state, 1);

  // What reaches any value's metatable or environment, or the registry that holds them.
  lua_getglobal(state, LUA_DBLIBNAME);
  for (const char* name : {"getmetatable", "setmetatable", "getregistry", "getfenv", "setfenv"}) {
    lua_pushnil(state);
    lua_setfield(state, -2, name);
  }
  lua_pop(state, 1);
}

}  // namespace

LuaManager::LuaManager(std::span<const ScriptFamily* const> families) : state(luaL_newstate()) {
  luaL_openlibs(state);
  CountScriptFileWrites(state);
  CloseFinalizerRoads(state);
  for (const ScriptFamily* family : families) {
    if (family->RegistersWithLuaManager()) RegisterScriptFunctions(state, family->functions);
  }
}

LuaManager::~LuaManager() { lua_close(state); }

void LuaManager::LogError(const char* format) {
  const char* message = lua_tostring(state, -1);
  if (message != nullptr) {
    Log(format, message);
  } else {
    const std::string described =
        std::string("(error object is a ") + luaL_typename(state, -1) + " value)";
    Log(format, described.c_str());
  }
}

bool LuaManager::ExecuteScript(const char* name, int32_t code) {
  if (name == nullptr) return false;
  const int top = lua_gettop(state);
  // Content written for Windows names script folders with "\".
  const std::string path = ContentPath(basePath ? *basePath + name : std::string(name));

  // A stat costs about ten runs of a one-line chunk: within a tick, a file found unchanged is
  // taken to be unchanged until the program or a script writes a file.
  const auto kept = chunks.find(path);
  if (kept != chunks.end() && kept->second.checked == FileCheck::Now()) {
    PushKeptChunk(kept->second);
  } else {
    const ContentStamp stamp = StampContentFile(path);
    if (stamp.exists && !stamp.regular) {
      Log("Lua Error during Loading: cannot open %s: not a regular file\n", path.c_str());
      return false;
    }
    if (!PushChunk(path, stamp)) {
      LogError("Lua Error during Loading: %s\n");
      lua_settop(state, top);
      return false;
    }
  }
  scriptCode = code;
  const bool ran = lua_pcall(state, 0, LUA_MULTRET, 0) == 0;
  if (!ran) LogError("Lua Error during Execution: %s\n");
  lua_settop(state, top);
  return ran;
}

LuaManager::FileCheck LuaManager::FileCheck::Now() { return {gTickCount, gFileWrites}; }

void LuaManager::PushKeptChunk(const CachedChunk& chunk) {
  lua_rawgeti(state, LUA_REGISTRYINDEX, chunk.reference);
  // A fresh load runs in the globals of the moment; the chunk may have changed its own.
  lua_pushvalue(state, LUA_GLOBALSINDEX);
  lua_setfenv(state, -2);
}

bool LuaManager::PushChunk(const std::string& path, const ContentStamp& stamp) {
  const auto kept = chunks.find(path);
  if (kept != chunks.end()) {
    if (kept->second.stamp.SameVersion(stamp)) {
      kept->second.checked = FileCheck::Now();
      PushKeptChunk(kept->second);
      return true;
    }
    luaL_unref(state, LUA_REGISTRYINDEX, kept->second.reference);
    chunks.erase(kept);
  }
  if (luaL_loadfile(state, path.c_str()) != 0) return false;
  // A file written moments ago could be rewritten at the same size without its times moving.
  if (IsSettled(stamp)) {
    lua_pushvalue(state, -1);
    chunks.emplace(path, CachedChunk{stamp, luaL_ref(state, LUA_REGISTRYINDEX), FileCheck::Now()});
  }
  return true;
}

void LuaManager::SetBasePath(const char* path) {
  if (path == nullptr) return;
  if (std::string(path) == "NULL") {
    basePath.reset();
  } else {
    basePath = path;
  }
}

void LuaManager::ClearArguments() {
  arguments.clear();
  argumentSlots = 0;
}

void LuaManager::AllocateArguments(int32_t slots) {
  arguments.clear();
  argumentSlots = slots < 0 ? 0 : slots;
}

void LuaManager::AddNumberArgument(float number) {
  if (GetFilledArgumentCount() < argumentSlots) arguments.emplace_back(number);
}

void LuaManager::AddStringArgument(const char* text) {
  if (GetFilledArgumentCount() >= argumentSlots) return;
  arguments.emplace_back(OptionalText(text));
}

bool LuaManager::HasArgument(int32_t index) const {
  return index >= 0 && index < GetFilledArgumentCount();
}

float LuaManager::GetArgumentNumber(int32_t index) const {
  if (!HasArgument(index)) return 0.0f;
  const Argument& argument = arguments[static_cast<size_t>(index)];
  if (const float* number = std::get_if<float>(&argument)) return *number;
  const std::optional<std::string>& text = std::get<std::optional<std::string>>(argument);
  if (!text) return 0.0f;
  // Lua's own rule, so that a number handed over as text reads back as that number.
  lua_pushlstring(state, text->data(), text->size());
  const double converted = lua_tonumber(state, -1);
  lua_pop(state, 1);
  return ToFloat(converted);
}

std::optional<std::string> LuaManager::GetArgumentString(int32_t index) const {
  if (!HasArgument(index)) return std::nullopt;
  const Argument& argument = arguments[static_cast<size_t>(index)];
  if (const auto* text = std::get_if<std::optional<std::string>>(&argument)) return *text;
  lua_pushnumber(state, std::get<float>(argument));
  std::string written = lua_tostring(state, -1);
  lua_pop(state, 1);
  return written;
}
