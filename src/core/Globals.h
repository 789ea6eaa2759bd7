#pragma once

// Every piece of process-wide state lives here and nowhere else, each written once in one of the
// three lists below. The managers are created by the start-up rows in a fixed order and never
// destroyed; code that may run before a manager exists checks its pointer first.

#include <allegro5/allegro.h>

#include <cstdint>
#include <string>

// Process-wide state: type, name, start value. ResetGlobals puts each back to its start value.
#define QM_STATE_GLOBALS(X)                                                                   \
  X(int32_t, gScreenWidth, 800)             /* unless "-w" says otherwise */                  \
  X(int32_t, gScreenHeight, 600)            /* unless "-h" says otherwise */                  \
  X(bool, gOpenGLMode, false)               /* "-ogl": every drawing takes the OpenGL road */ \
  X(std::string, gLocalPath, std::string()) /* the executable's folder, trailing separator */ \
  X(bool, gQuit, false)                     /* the game loop ends when set */                 \
  X(bool, gInitialising, false)             /* true while Init runs */                        \
  X(float, gFramesPerSecond, 60.0f)                                                           \
  /* Depth of the last OpenGL quad drawn: each quad lies one step deeper than the one before, \
     and the game loop puts it back to 0 before every frame. */                               \
  X(float, gGLQuadDepth, 0.0f)                                                                \
  /* Game ticks begun: the game loop adds 1 as each tick starts. */                           \
  X(uint64_t, gTickCount, 0)                                                                  \
  /* Files written, renamed or removed by the program or its scripts: a file found unchanged  \
     is known to be unchanged still only while this stays the same. */                        \
  X(uint64_t, gFileWrites, 0)                                                                 \
  X(ALLEGRO_DISPLAY*, gDisplay, nullptr)                                                      \
  X(ALLEGRO_EVENT_QUEUE*, gEventQueue, nullptr)                                               \
  X(ALLEGRO_TIMER*, gTimer, nullptr)                                                          \
  X(ALLEGRO_KEYBOARD_STATE, gKeyboardState, ALLEGRO_KEYBOARD_STATE{})

// The manager singletons, in start-up order: class and global, none until created.
#define QM_MANAGER_GLOBALS(X)                        \
  X(LuaManager, gLuaManager)                         \
  X(DisplayManager, gDisplayManager)                 \
  X(DataLibrary, gDataLibrary)                       \
  X(EntityManager, gEntityManager)                   \
  X(PathManager, gPathManager)                       \
  X(ExternalImageManager, gExternalImageManager)     \
  X(PropertyManager, gPropertyManager)               \
  X(ScriptVariableStore, gGlobalVariables)           \
  X(MusicManager, gMusicManager)                     \
  X(CameraManager, gCameraManager)                   \
  X(AIManager, gAIManager)                           \
  X(ObjectManager, gObjectManager)                   \
  X(TargetRegistry, gTargetRegistry)                 \
  X(KeyboardManager, gKeyboardManager)               \
  X(Player, gPlayer)                                 \
  X(TriggerManager, gTriggerManager)                 \
  X(ChatManager, gChatManager)                       \
  X(BackgroundManager, gBackgroundManager)           \
  X(TimerManager, gTimerManager)                     \
  X(ShooterMiniGameManager, gShooterMiniGameManager) \
  X(GUIManager, gGUIManager)                         \
  X(MapManager, gMapManager)                         \
  X(DeferredCallList, gDeferredCallList)

// What a lower layer asks of a higher one: a narrow interface, declared by the layer that asks,
// and the global the program binds once to the object above that answers it. None until bound;
// the one who asks checks first and skips the step without one.
#define QM_SEAM_GLOBALS(X)                                                                        \
  X(FloatingAI, gFloatingAI)             /* world: a map unload drops the floating AI packages */ \
  X(WorldPlayer, gWorldPlayer)           /* world: the player's bounds, placing and drawing */    \
  X(WorldClick, gWorldClick)             /* world: a click's position, handed to the GUI */       \
  X(DialogueOpener, gDialogueOpener)     /* actors: a clicked dialogue NPC opens its dialogue */  \
  X(ShooterInput, gShooterInput)         /* actors: the shooter's fire button and aim */          \
  X(KeyPressListener, gKeyPressListener) /* core: each pressed key, the GUI's last key */         \
  X(EnvironmentScope, gEnvironmentScope) /* core: the "Env_" functions' scope, with the map */    \
  X(ScriptPathSource, gScriptPathSource) /* core: keyed script paths, from the path manager */

#define QM_DECLARE_STATE(type, name, start) extern type name;
#define QM_DECLARE_MANAGER(Class, name) \
  class Class;                          \
  extern Class* name;
QM_STATE_GLOBALS(QM_DECLARE_STATE)
QM_MANAGER_GLOBALS(QM_DECLARE_MANAGER)
QM_SEAM_GLOBALS(QM_DECLARE_MANAGER)
#undef QM_DECLARE_STATE
#undef QM_DECLARE_MANAGER

// The palette row that paletted images draw with. A negative number leaves it unchanged.
void SetGlobalPaletteNumber(int32_t number);
int32_t GetGlobalPaletteNumber();
// Where the number lives, for paletted images that read it at every draw.
const int32_t* GlobalPaletteNumberAddress();

// Puts every global back to its start value without destroying anything (the tests own what they
// create): the state, the managers, the seams, the palette number and the clock source. The log
// sink and the object serials are left alone: a test may reset in its middle while it captures the
// log and holds objects (GlobalsFixture resets those too, at its start and end). Only tests call
// it.
void ResetGlobals();
