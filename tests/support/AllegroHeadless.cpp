#include "support/AllegroHeadless.h"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_ttf.h>

#include <cstdio>
#include <cstdlib>

void StartAllegroHeadless() {
  static const bool started = [] {
    if (!al_install_system(ALLEGRO_VERSION_INT, atexit)) {
      std::fprintf(stderr, "Allegro could not start\n");
      std::abort();
    }
    al_init_font_addon();
    al_init_ttf_addon();
    return true;
  }();
  (void)started;
  al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
  al_set_new_bitmap_format(ALLEGRO_PIXEL_FORMAT_ANY_WITH_ALPHA);
}

std::ostream& operator<<(std::ostream& out, const Rgba& pixel) {
  return out << "(" << int(pixel.r) << ", " << int(pixel.g) << ", " << int(pixel.b) << ", "
             << int(pixel.a) << ")";
}

Rgba PixelAt(ALLEGRO_BITMAP* bitmap, int x, int y) {
  Rgba pixel;
  al_unmap_rgba(al_get_pixel(bitmap, x, y), &pixel.r, &pixel.g, &pixel.b, &pixel.a);
  return pixel;
}

ALLEGRO_BITMAP* FilledBitmap(int width, int height, Rgba fill) {
  ALLEGRO_BITMAP* bitmap = al_create_bitmap(width, height);
  ALLEGRO_STATE state;
  al_store_state(&state, ALLEGRO_STATE_TARGET_BITMAP);
  al_set_target_bitmap(bitmap);
  al_clear_to_color(fill.Colour());
  al_restore_state(&state);
  return bitmap;
}
