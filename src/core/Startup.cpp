#include "core/Startup.h"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <cstdlib>
#include <type_traits>

#include "core/Clock.h"
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
#include "gui/GUIManager.h"
#include "resources/DataLibrary.h"
#include "resources/ExternalImageManager.h"
#include "resources/PathManager.h"

namespace {

// One step of the start-up sequence: a function to run (false ends start-up; a captureless lambda
// will do) or a start-up script.
struct StartupStep {
  bool (*run)();
  const char* script;
};

constexpr StartupStep Step(bool (*run)()) { return {run, nullptr}; }
// Start-up scripts run with the script code -1, behind the script base path.
constexpr StartupStep Script(const char* name) { return {nullptr, name}; }

// Creates a manager with its default constructor and stores it in its global.
template <auto& global>
bool Create() {
  global = new std::remove_pointer_t<std::remove_reference_t<decltype(global)>>();
  return true;
}

bool CreateDisplay() {
  gDisplayManager = new DisplayManager(gScreenWidth, gScreenHeight);
  return gDisplay != nullptr;
}

// The start-up sequence, in order. A manager that lands adds its row in its place; the full order
// is: Lua manager, display, data library, entity registry, path manager, "Paths.lua", image
// container manager, property router, global script variables, music manager, camera manager
// ("Default", 0, 0, width, height), AI manager, object manager, target registry, keyboard
// manager, player, "Configuration.lua", trigger manager, chat manager, background manager, timer
// manager, shooter mini-game manager, GUI manager, map manager; then the event sources, the three
// system scripts, the dialogue window, the player's four shadow images, the first map (and
// "Load map\n"), and the deferred-call list.
const StartupStep kStartupSequence[] = {
    Step(Create<gLuaManager>),
    Step(CreateDisplay),
    Step(Create<gDataLibrary>),
    Step(Create<gEntityManager>),
    Step(Create<gPathManager>),
    Script("Paths.lua"),
    Step(Create<gExternalImageManager>),
    Step(Create<gPropertyManager>),
    Step(Create<gGlobalVariables>),
    Step(Create<gMusicManager>),
    Step(Create<gKeyboardManager>),
    Script("Configuration.lua"),
    Step(Create<gTimerManager>),
    Step(Create<gGUIManager>),
    Step([] {
      RegisterEventSources(gEventQueue);
      return true;
    }),
    Script("Data/Scripts/System/Loading/Routing.lua"),
    Script("Data/Scripts/System/GlobalVariables.lua"),
    Script("Data/Scripts/System/ScriptExecution.lua"),
    Step(Create<gDeferredCallList>),
};

bool RunStep(const StartupStep& step) {
  if (step.script != nullptr) {
    gLuaManager->ExecuteScript(step.script, -1);
    return true;
  }
  return step.run();
}

// Allegro, its add-ons, input, the event queue and the timer; false after the failure's line.
bool StartAllegro() {
  // The installed version: a 5.2 library refuses any request for 5.0.
  if (!al_install_system(ALLEGRO_VERSION_INT, atexit)) {
    Log("Allegro failed to initialize\n");
    return false;
  }
  al_init_font_addon();
  al_init_image_addon();
  al_init_ttf_addon();
  al_init_primitives_addon();
  if (!al_install_keyboard()) {
    Log("Allegro could not install the keyboard\n");
    return false;
  }
  if (!al_install_mouse()) {
    Log("Allegro could not install the mouse\n");
    return false;
  }
  gEventQueue = al_create_event_queue();
  if (gEventQueue == nullptr) {
    Log("Allegro could not create an Event Queue\n");
    return false;
  }
  gFramesPerSecond = 60.0f;
  gTimer = al_create_timer(1.0 / 60.0);
  if (gTimer == nullptr) {
    Log("Allegro could not create a timer of FPS %i\n", static_cast<int>(gFramesPerSecond));
    return false;
  }
  return true;
}

}  // namespace

int32_t Init() {
  gInitialising = true;
  Log("== Begin Init ==\n");
  gDisplay = nullptr;
  gDisplayManager = nullptr;
  gEventQueue = nullptr;
  gQuit = false;
  SetGlobalPaletteNumber(0);

  if (!StartAllegro()) return -1;
  const double start = WallClock();
  for (const StartupStep& step : kStartupSequence) {
    if (!RunStep(step)) return -1;
  }
  // Subtracted before narrowing: the clock's origin is far in the past, where a float reading
  // would be off by hundredths of a second.
  const float took = static_cast<float>(WallClock() - start);
  Log("Initialization Sequence completed!  Took %f seconds.\n", took);
  gInitialising = false;
  return 0;
}

void RegisterEventSources(ALLEGRO_EVENT_QUEUE* queue) {
  al_register_event_source(queue, al_get_display_event_source(gDisplay));
  al_register_event_source(queue, al_get_timer_event_source(gTimer));
  al_register_event_source(queue, al_get_keyboard_event_source());
  al_register_event_source(queue, al_get_mouse_event_source());
}

void Cleanup() {
  Log("== Begin Cleanup ==\n");
  // Audio streams still alive when Allegro shuts down crash its exit; the manager itself stays.
  if (gMusicManager != nullptr) gMusicManager->CloseAudio();
  Log("1");
  al_destroy_event_queue(gEventQueue);
  gEventQueue = nullptr;
  Log("2");
  al_destroy_timer(gTimer);
  gTimer = nullptr;
  Log("3");
  al_destroy_display(gDisplay);
  gDisplay = nullptr;
  Log("4\n");
  Log("== Cleanup Completed ==\n");
}
