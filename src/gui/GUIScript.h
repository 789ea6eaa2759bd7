#pragma once

struct lua_State;

// The GUI's script functions, one registrar per family, each registering its functions as globals
// in the order of the registration table (src/core/script/ScriptRegistrars.cpp). The Lua manager's
// constructor calls them in the table's order, which is the order of the GUI's registration.

// The GUI manager's functions and those every widget takes ("GUI_", "GUIOL_", "GUIG_").
void RegisterGUIBindings(lua_State* state);
// The buttons' ("GUIB_").
void RegisterGUIButtonBindings(lua_State* state);
// The check boxes' ("GUICB_").
void RegisterGUICheckBoxBindings(lua_State* state);
// The drop menus' ("GUIDM_").
void RegisterGUIDropMenuBindings(lua_State* state);
// The colour boxes' ("GUIColB_").
void RegisterGUIColorBoxBindings(lua_State* state);
// The images' and watching images' ("GUII_", "GUISI_").
void RegisterGUIImageBindings(lua_State* state);
// The lists' ("GUIL_").
void RegisterGUIListBindings(lua_State* state);
// The scroll bars' ("GUISB_").
void RegisterGUIScrollBarBindings(lua_State* state);
// The text lines', input boxes' and watching text lines' ("GUIITB_", "GUIT_", "GUISTL_").
void RegisterGUITextLineBindings(lua_State* state);
// The windows' ("GUIRSW_", "GUISW_", "GUIW_").
void RegisterGUIWindowBindings(lua_State* state);
