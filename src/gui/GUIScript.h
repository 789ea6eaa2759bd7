#pragma once

struct lua_State;

// Registers the GUI's script functions as globals, in the order of the registration table
// (src/core/script/ScriptRegistrars.cpp); a function whose widget has not landed is not
// registered. The Lua manager's constructor calls it.
void RegisterGUIBindings(lua_State* state);
