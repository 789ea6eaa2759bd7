#include "core/Globals.h"

int32_t gScreenWidth = 800;
int32_t gScreenHeight = 600;
bool gOpenGLMode = false;
std::string gLocalPath;
bool gQuit = false;
bool gInitialising = false;
float gFramesPerSecond = 60.0f;
float gGLQuadDepth = 0.0f;

ALLEGRO_DISPLAY* gDisplay = nullptr;
ALLEGRO_EVENT_QUEUE* gEventQueue = nullptr;
ALLEGRO_TIMER* gTimer = nullptr;
ALLEGRO_KEYBOARD_STATE gKeyboardState{};

LuaManager* gLuaManager = nullptr;
DisplayManager* gDisplayManager = nullptr;
DataLibrary* gDataLibrary = nullptr;
EntityManager* gEntityManager = nullptr;
PathManager* gPathManager = nullptr;
ExternalImageManager* gExternalImageManager = nullptr;
PropertyManager* gPropertyManager = nullptr;
ScriptVariableStore* gGlobalVariables = nullptr;
MusicManager* gMusicManager = nullptr;
CameraManager* gCameraManager = nullptr;
AIManager* gAIManager = nullptr;
ObjectManager* gObjectManager = nullptr;
TargetRegistry* gTargetRegistry = nullptr;
KeyboardManager* gKeyboardManager = nullptr;
Player* gPlayer = nullptr;
TriggerManager* gTriggerManager = nullptr;
ChatManager* gChatManager = nullptr;
BackgroundManager* gBackgroundManager = nullptr;
TimerManager* gTimerManager = nullptr;
ShooterMiniGameManager* gShooterMiniGameManager = nullptr;
GUIManager* gGUIManager = nullptr;
MapManager* gMapManager = nullptr;
ScriptVariableStore* gEnvironmentVariables = nullptr;
DeferredCallList* gDeferredCallList = nullptr;

namespace {
int32_t paletteNumber = 0;
}

void SetGlobalPaletteNumber(int32_t number) {
  if (number >= 0) paletteNumber = number;
}

int32_t GetGlobalPaletteNumber() { return paletteNumber; }

const int32_t* GlobalPaletteNumberAddress() { return &paletteNumber; }

void ResetGlobals() {
  gScreenWidth = 800;
  gScreenHeight = 600;
  gOpenGLMode = false;
  gLocalPath.clear();
  gQuit = false;
  gInitialising = false;
  gFramesPerSecond = 60.0f;
  gGLQuadDepth = 0.0f;
  gDisplay = nullptr;
  gEventQueue = nullptr;
  gTimer = nullptr;
  gKeyboardState = ALLEGRO_KEYBOARD_STATE{};
  gLuaManager = nullptr;
  gDisplayManager = nullptr;
  gDataLibrary = nullptr;
  gEntityManager = nullptr;
  gPathManager = nullptr;
  gExternalImageManager = nullptr;
  gPropertyManager = nullptr;
  gGlobalVariables = nullptr;
  gMusicManager = nullptr;
  gCameraManager = nullptr;
  gAIManager = nullptr;
  gObjectManager = nullptr;
  gTargetRegistry = nullptr;
  gKeyboardManager = nullptr;
  gPlayer = nullptr;
  gTriggerManager = nullptr;
  gChatManager = nullptr;
  gBackgroundManager = nullptr;
  gTimerManager = nullptr;
  gShooterMiniGameManager = nullptr;
  gGUIManager = nullptr;
  gMapManager = nullptr;
  gEnvironmentVariables = nullptr;
  gDeferredCallList = nullptr;
  paletteNumber = 0;
}
