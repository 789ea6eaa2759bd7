#pragma once

#include <allegro5/allegro.h>

#include <cstddef>
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

// Counts the memory Allegro allocates while it exists and has not freed yet (its bitmaps' pixels
// among it), so a test can see that an object released what it made. One at a time.
class AllegroAllocations {
 public:
  AllegroAllocations();
  ~AllegroAllocations();
  AllegroAllocations(const AllegroAllocations&) = delete;
  AllegroAllocations& operator=(const AllegroAllocations&) = delete;

  size_t Outstanding() const;
};
