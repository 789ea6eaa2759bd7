#pragma once

#include "core/script/ScriptRegistrars.h"

struct lua_State;

// The GUI's script functions, one registrar per family, each registering its functions as globals
// in the order of the registration table (src/core/script/ScriptRegistrars.cpp). The Lua manager's
// constructor calls them in the table's order, which is the order of the GUI's registration.

// The GUI manager's functions and those every widget takes ("GUI_", "GUIOL_", "GUIG_").
void RegisterGUIBindings(lua_State* state);

// The functions of one family, in the table's order.
void RegisterGUIFamily(lua_State* state, ScriptFamily family);

// A widget kind's row of the Lua manager's family list: the buttons' (ScriptFamily::GUIButtons,
// "GUIB_"), the windows' (ScriptFamily::GUIWindows, "GUIRSW_", "GUISW_", "GUIW_"), and so on.
template <ScriptFamily Family>
constexpr LuaManagerFamily GUIWidgetFamily() {
  return {Family, [](lua_State* state) { RegisterGUIFamily(state, Family); }};
}
