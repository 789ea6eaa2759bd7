#include "core/DisplayManager.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>

#include "core/Globals.h"
#include "core/Log.h"

namespace {

// Window sizes travel as 16-bit numbers in X11 and its coordinates are signed: a larger side
// wraps around (65536 becomes 0 and the program hangs in an X error), so it never reaches Allegro.
constexpr int32_t kLargestWindowSide = 32767;

// A window of that size whose whole back buffer can be drawn, or none. Whether a side fits the
// largest bitmap (the largest texture) is known only once the display exists; past it the frame
// is cut short or the window system fails later.
ALLEGRO_DISPLAY* CreateWholeDisplay(int32_t width, int32_t height) {
  if (width < 1 || height < 1 || width > kLargestWindowSide || height > kLargestWindowSide) {
    return nullptr;
  }
  ALLEGRO_DISPLAY* display = al_create_display(width, height);
  if (display == nullptr) return nullptr;
  const int largest = al_get_display_option(display, ALLEGRO_MAX_BITMAP_SIZE);
  if (largest > 0 && (width > largest || height > largest)) {
    al_destroy_display(display);
    return nullptr;
  }
  return display;
}

}  // namespace

DisplayManager::DisplayManager(int32_t width, int32_t height) : width(width), height(height) {
  al_set_new_display_flags(ALLEGRO_WINDOWED | (gOpenGLMode ? ALLEGRO_OPENGL : 0));
  gDisplay = CreateWholeDisplay(width, height);
  if (gDisplay == nullptr) {
    Log("Display of size %i by %i failed to create.\n", width, height);
    Log("With no display, the program will now exit\n");
    gQuit = true;
    return;
  }
  al_clear_to_color(al_map_rgb(0, 0, 0));
  al_set_window_title(gDisplay, "Quillmere-Online");
  if (gOpenGLMode) {
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
  }
}

void DisplayManager::DrawFrame(std::span<const DrawStage> stages) {
  if (gDisplay == nullptr) {
    Log("Display was not created yet.\n");
    return;
  }
  al_set_target_backbuffer(gDisplay);
  for (const DrawStage& stage : stages) stage.draw();
  al_flip_display();
}
