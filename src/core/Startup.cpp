#include "core/Startup.h"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <cstdlib>

#include "core/Clock.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/MusicManager.h"
#include "core/script/LuaManager.h"

namespace {

bool RunRow(const StartupRow& row) {
  if (row.script != nullptr) {
    gLuaManager->ExecuteScript(row.script, -1);
    return true;
  }
  return row.run();
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

int32_t Init(std::span<const StartupRow> rows) {
  gInitialising = true;
  Log("== Begin Init ==\n");
  gDisplay = nullptr;
  gDisplayManager = nullptr;
  gEventQueue = nullptr;
  gQuit = false;
  SetGlobalPaletteNumber(0);

  if (!StartAllegro()) return -1;
  const double start = WallClock();
  for (const StartupRow& row : rows) {
    if (!RunRow(row)) return -1;
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
