#include "core/script/LuaManager.h"

#include <string>

#include "core/Log.h"

LuaManager::LuaManager() : state(luaL_newstate()) {
  luaL_openlibs(state);
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
  const std::string path = basePath ? *basePath + name : std::string(name);

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
  if (static_cast<int32_t>(arguments.size()) < argumentSlots) arguments.emplace_back(number);
}

void LuaManager::AddStringArgument(const char* text) {
  if (static_cast<int32_t>(arguments.size()) < argumentSlots)
    arguments.emplace_back(std::string(text != nullptr ? text : ""));
}

std::optional<float> LuaManager::GetArgumentNumber(int32_t index) const {
  if (index < 0 || index >= static_cast<int32_t>(arguments.size())) return std::nullopt;
  if (const float* number = std::get_if<float>(&arguments[static_cast<size_t>(index)]))
    return *number;
  return std::nullopt;
}

std::optional<std::string> LuaManager::GetArgumentString(int32_t index) const {
  if (index < 0 || index >= static_cast<int32_t>(arguments.size())) return std::nullopt;
  if (const std::string* text = std::get_if<std::string>(&arguments[static_cast<size_t>(index)]))
    return *text;
  return std::nullopt;
}
