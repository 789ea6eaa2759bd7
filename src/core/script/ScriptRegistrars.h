#pragma once

#include <lua.hpp>
#include <span>

// Who registers which script function. The Lua manager's constructor registers the families the
// program lists for it, several of whose managers come later (their functions exist from the start
// and report "manager not created" until then); every other manager registers its own family in its
// constructor, and the clip map each time one is created. Six names are registered twice (the paths
// family, by the Lua manager and again by the path manager), so 206 registrations make 200 globals.

enum class ScriptRegistrar {
  LuaManager,  // its constructor, including the GUI registrar it calls
  GUI,         // RegisterGUIBindings, called by the Lua manager's constructor
  AIManager,
  DataLibrary,
  ExternalImageManager,
  PathManager,
  PropertyManager,
  KeyboardManager,
  Player,
  BackgroundManager,
  TimerManager,
  ShooterMiniGameManager,
  MapManager,
  ClipMap,  // on each creation
};

enum class ScriptFamily {
  LuaManager,
  Cameras,
  Dialogue,
  // The GUI registrar's rows, one family per widget kind, so each lands with its widget: the GUI
  // manager's and every widget's functions, then the buttons', check boxes', ..., windows'.
  GUI,
  GUIButtons,
  GUICheckBoxes,
  GUIDropMenus,
  GUIColorBoxes,
  GUIImages,
  GUILists,
  GUIScrollBars,
  GUITextLines,
  GUIWindows,
  NPCs,
  Paths,
  Triggers,
  Music,
  Objects,
  ScriptVariables,
  Chat,
  AI,
  DataLibrary,
  ImageContainers,
  PropertyRouter,
  Keyboard,
  Player,
  Background,
  Timers,
  ShooterMiniGame,
  Map,
  ClipMap,
};

struct ScriptRegistration {
  ScriptRegistrar registrar;
  ScriptFamily family;
  const char* name;
};

// Every registration of the system, registrar by registrar, each in its registration order.
std::span<const ScriptRegistration> ScriptRegistrations();

const char* RegistrarName(ScriptRegistrar registrar);
const char* FamilyName(ScriptFamily family);

// A family of script functions that the Lua manager registers when it is created; the program
// hands it the ordered list. A family that lands declares its registrar in its own header.
struct LuaManagerFamily {
  ScriptFamily family;
  void (*registrar)(lua_State* state);
};

void RegisterLuaManagerFunctions(lua_State* state);
void RegisterScriptVariableFunctions(lua_State* state);
