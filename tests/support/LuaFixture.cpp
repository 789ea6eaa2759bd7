#include "support/LuaFixture.h"

#include <gtest/gtest.h>

#include "core/Globals.h"

LuaFixture::LuaFixture() { gLuaManager = &lua; }

bool LuaFixture::Run(const std::string& code, int32_t scriptCode) {
  WriteScript("test.lua", code);
  return lua.ExecuteScript("test.lua", scriptCode);
}

void LuaFixture::ExpectFailure(const std::string& call, const std::string& logged) {
  log.Clear();
  ASSERT_TRUE(Run("results = select('#', " + call + ")")) << call;
  EXPECT_EQ(log.Text(), logged) << call;
  EXPECT_EQ(Number("results"), 0) << call;
}

double LuaFixture::Number(const char* global) {
  lua_getglobal(State(), global);
  const double number = lua_tonumber(State(), -1);
  lua_pop(State(), 1);
  return number;
}

std::string LuaFixture::Text(const char* global) {
  lua_getglobal(State(), global);
  std::string text;
  if (lua_isnil(State(), -1)) {
    text = "<nil>";
  } else if (lua_type(State(), -1) == LUA_TSTRING) {
    text = lua_tostring(State(), -1);
  } else {
    text = luaL_typename(State(), -1);
  }
  lua_pop(State(), 1);
  return text;
}

bool LuaFixture::IsNil(const char* global) {
  lua_getglobal(State(), global);
  const bool nil = lua_isnil(State(), -1);
  lua_pop(State(), 1);
  return nil;
}
