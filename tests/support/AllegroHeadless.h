#pragma once

#include <allegro5/allegro.h>

#include <ostream>

// Starts Allegro once per process without a display (with the font and ttf add-ons) and makes new
// bitmaps memory bitmaps, so image tests run headless. Safe to call from every test.
void StartAllegroHeadless();

// A pixel as the four bytes red, green, blue, alpha.
struct Rgba {
  unsigned char r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
  ALLEGRO_COLOR Colour() const { return al_map_rgba(r, g, b, a); }
};
std::ostream& operator<<(std::ostream& out, const Rgba& pixel);

Rgba PixelAt(ALLEGRO_BITMAP* bitmap, int x, int y);
// A new memory bitmap filled with one colour.
ALLEGRO_BITMAP* FilledBitmap(int width, int height, Rgba fill);
