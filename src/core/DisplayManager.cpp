#include "core/DisplayManager.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>

#include "core/Globals.h"
#include "core/Log.h"

DisplayManager::DisplayManager(int32_t width, int32_t height) : width(width), height(height) {
  al_set_new_display_flags(ALLEGRO_WINDOWED | (gOpenGLMode ? ALLEGRO_OPENGL : 0));
  gDisplay = al_create_display(width, height);
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
