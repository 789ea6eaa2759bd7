#include "program/ProgramStartup.h"

#include "actors/AIManager.h"
#include "actors/ObjectManager.h"
#include "actors/Player.h"
#include "actors/ShooterMiniGameManager.h"
#include "actors/TargetRegistry.h"
#include "core/DeferredCallList.h"
#include "core/DisplayManager.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/KeyboardManager.h"
#include "core/Log.h"
#include "core/MusicManager.h"
#include "core/TimerManager.h"
#include "core/script/LuaManager.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptVariableStore.h"
#include "gui/ChatManager.h"
#include "gui/GUIDialogueOpener.h"
#include "gui/GUIManager.h"
#include "program/ProgramScriptFamilies.h"
#include "resources/DataLibrary.h"
#include "resources/ExternalImageManager.h"
#include "resources/PathManager.h"
#include "world/BackgroundManager.h"
#include "world/CameraManager.h"
#include "world/MapManager.h"
#include "world/TriggerManager.h"

namespace {

bool CreateLuaManager() {
  gLuaManager = new LuaManager(ProgramScriptFamilies());
  return true;
}

bool CreateDisplay() {
  gDisplayManager = new DisplayManager(gScreenWidth, gScreenHeight);
  return gDisplay != nullptr;
}

// Keyed script paths of "LM_ExecuteScript" come from the path manager.
bool CreatePathManager() {
  gPathManager = new PathManager();
  gScriptPathSource = gPathManager;
  return true;
}

bool CreateCameraManager() {
  gCameraManager = new CameraManager("Default", 0, 0, gScreenWidth, gScreenHeight);
  return true;
}

// The "Env_" functions reach the environment scope through the map manager.
bool CreateAIManager() {
  gAIManager = new AIManager();
  // A map unload drops the floating packages before the entities go.
  gFloatingAI = gAIManager;
  return true;
}

// The world reaches the player through its seam: the camera and the chunk loader read its centre,
// the triggers its box, the map places it, sets its mode on chunked levels and draws it between
// the layers.
bool CreatePlayer() {
  gPlayer = new Player();
  gWorldPlayer = gPlayer;
  return true;
}

bool GivePlayerShadows() {
  static constexpr const char* kShadows[] = {"ShadowL", "ShadowM", "ShadowS", "ShadowT"};
  for (uint32_t slot = 0; slot < 4; ++slot) {
    gPlayer->SetShadowImage(slot, "Images", "Misc", "Shadows", kShadows[slot]);
  }
  return true;
}

// The GUI's last key is the key of each pressed edge that the keyboard manager sees.
bool CreateGUIManager() {
  gGUIManager = new GUIManager();
  gKeyPressListener = gGUIManager;
  // A click that reaches the world brings its position to the GUI manager, where the NPCs read it.
  gWorldClick = gGUIManager;
  // The shooter fires while a mouse button is held, toward the mouse.
  gShooterInput = gGUIManager;
  return true;
}

// Created once; dialogue NPCs open it when clicked from now on.
bool CreateDialogueWindow() {
  gGUIManager->CreateDialogueManager();
  static GUIDialogueOpener opener;
  gDialogueOpener = &opener;
  return true;
}

bool CreateMapManager() {
  gMapManager = new MapManager();
  gEnvironmentScope = gMapManager;
  return true;
}

bool LoadFirstMap() {
  gMapManager->LoadMap();
  Log("Load map\n");
  return true;
}

bool RegisterEvents() {
  RegisterEventSources(gEventQueue);
  return true;
}

using Row = StartupRow;

// One row per manager, script or step, in this order: Lua manager,
// display, data library, entity registry, path manager, "Paths.lua", image container manager,
// property router, global script variables, music manager, camera manager ("Default", 0, 0,
// width, height), AI manager, object manager, target registry, keyboard manager, player,
// "Configuration.lua", trigger manager, chat manager, background manager, timer manager, shooter
// mini-game manager, GUI manager, map manager; then the event sources, the three system scripts,
// the dialogue window, the player's four shadow images, the first map (and "Load map\n"), and the
// deferred-call list.
const StartupRow kRows[] = {
    Row::Step("Lua manager", CreateLuaManager),
    Row::Step("display", CreateDisplay),
    Row::Step("data library", Create<gDataLibrary>),
    Row::Step("entity registry", Create<gEntityManager>),
    Row::Step("path manager", CreatePathManager),
    Row::Script("Paths.lua"),
    Row::Step("image container manager", Create<gExternalImageManager>),
    Row::Step("property router", Create<gPropertyManager>),
    Row::Step("global script variables", Create<gGlobalVariables>),
    Row::Step("music manager", Create<gMusicManager>),
    Row::Step("camera manager", CreateCameraManager),
    Row::Step("AI manager", CreateAIManager),
    Row::Step("object manager", Create<gObjectManager>),
    Row::Step("target registry", Create<gTargetRegistry>),
    Row::Step("keyboard manager", Create<gKeyboardManager>),
    Row::Step("player", CreatePlayer),
    Row::Script("Configuration.lua"),
    Row::Step("trigger manager", Create<gTriggerManager>),
    Row::Step("chat manager", Create<gChatManager>),
    Row::Step("background manager", Create<gBackgroundManager>),
    Row::Step("timer manager", Create<gTimerManager>),
    Row::Step("shooter mini-game manager", Create<gShooterMiniGameManager>),
    Row::Step("GUI manager", CreateGUIManager),
    Row::Step("map manager", CreateMapManager),
    Row::Step("event sources", RegisterEvents),
    Row::Script("Data/Scripts/System/Loading/Routing.lua"),
    Row::Script("Data/Scripts/System/GlobalVariables.lua"),
    Row::Script("Data/Scripts/System/ScriptExecution.lua"),
    Row::Step("dialogue window", CreateDialogueWindow),
    Row::Step("player's shadow images", GivePlayerShadows),
    Row::Step("first map", LoadFirstMap),
    Row::Step("deferred-call list", Create<gDeferredCallList>),
};

}  // namespace

std::span<const StartupRow> ProgramStartupRows() { return kRows; }
