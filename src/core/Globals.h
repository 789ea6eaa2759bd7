#pragma once

// Every piece of process-wide state lives here and nowhere else. The managers are created by Init
// in a fixed order and never destroyed; code that may run before a manager exists checks its
// pointer first.

#include <allegro5/allegro.h>

#include <cstdint>
#include <string>

class LuaManager;
class DisplayManager;
class DataLibrary;
class EntityManager;
class PathManager;
class ExternalImageManager;
class PropertyManager;
class ScriptVariableStore;
class MusicManager;
class CameraManager;
class AIManager;
class ObjectManager;
class TargetRegistry;
class KeyboardManager;
class Player;
class TriggerManager;
class ChatManager;
class BackgroundManager;
class TimerManager;
class ShooterMiniGameManager;
class GUIManager;
class MapManager;
class DeferredCallList;

extern int32_t gScreenWidth;    // 800 unless "-w" says otherwise
extern int32_t gScreenHeight;   // 600 unless "-h" says otherwise
extern bool gOpenGLMode;        // "-ogl": every drawing takes the OpenGL road
extern std::string gLocalPath;  // the executable's folder, with its trailing separator
extern bool gQuit;              // the game loop ends when set
extern bool gInitialising;      // true while Init runs
extern float gFramesPerSecond;
// Depth of the last OpenGL quad drawn: each quad lies one step deeper than the one before, and the
// game loop puts it back to 0 before every frame.
extern float gGLQuadDepth;

extern ALLEGRO_DISPLAY* gDisplay;
extern ALLEGRO_EVENT_QUEUE* gEventQueue;
extern ALLEGRO_TIMER* gTimer;
extern ALLEGRO_KEYBOARD_STATE gKeyboardState;

extern LuaManager* gLuaManager;
extern DisplayManager* gDisplayManager;
extern DataLibrary* gDataLibrary;
extern EntityManager* gEntityManager;
extern PathManager* gPathManager;
extern ExternalImageManager* gExternalImageManager;
extern PropertyManager* gPropertyManager;
extern ScriptVariableStore* gGlobalVariables;
extern MusicManager* gMusicManager;
extern CameraManager* gCameraManager;
extern AIManager* gAIManager;
extern ObjectManager* gObjectManager;
extern TargetRegistry* gTargetRegistry;
extern KeyboardManager* gKeyboardManager;
extern Player* gPlayer;
extern TriggerManager* gTriggerManager;
extern ChatManager* gChatManager;
extern BackgroundManager* gBackgroundManager;
extern TimerManager* gTimerManager;
extern ShooterMiniGameManager* gShooterMiniGameManager;
extern GUIManager* gGUIManager;
extern MapManager* gMapManager;
extern DeferredCallList* gDeferredCallList;

// The palette row that paletted images draw with. A negative number leaves it unchanged.
void SetGlobalPaletteNumber(int32_t number);
int32_t GetGlobalPaletteNumber();
// Where the number lives, for paletted images that read it at every draw.
const int32_t* GlobalPaletteNumberAddress();

// Puts every global back to its start value without destroying anything (the tests own what they
// create). Only tests call it.
void ResetGlobals();
