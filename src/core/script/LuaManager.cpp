#include "core/script/LuaManager.h"

#include <string>

#include "core/Convert.h"
#include "core/Log.h"
#include "platform/ContentFile.h"

LuaManager::LuaManager(std::span<const LuaManagerFamily> families) : state(luaL_newstate()) {
  luaL_openlibs(state);
  // newproxy is the scripts' way to a userdata with a __gc finalizer, and Lua runs finalizers
  // unprotected at any allocation, inside any script function: there are none.
  lua_pushnil(state);
  lua_setglobal(state, "newproxy");
  for (const LuaManagerFamily& family : families) family.registrar(state);
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

  if (IsSpecialFile(path)) {
    Log("Lua Error during Loading: cannot open %s: not a regular file\n", path.c_str());
    return false;
  }
  if (luaL_loadfile(state, path.c_str()) != 0) {
    LogError("Lua Error during Loading: %s\n");
    lua_settop(state, top);
    return false;
  }
  scriptCode = code;
  const bool ran = lua_pcall(state, 0, LUA_MULTRET, 0) == 0;
  if (!ran) LogError("Lua Error during Execution: %s\n");
  lua_settop(state, top);
  return ran;
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
  if (text != nullptr) {
    arguments.emplace_back(std::optional<std::string>(text));
  } else {
    arguments.emplace_back(std::optional<std::string>());
  }
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
