#pragma once

#include <allegro5/allegro.h>

#include <cstdint>

// A bitmap's pixels locked for as long as the object lives. Drawing held for the OpenGL road is
// drawn first, so what is read is what was drawn. A bitmap that is locked already gives no region
// and keeps its lock (its holder unlocks it), as does a lock Allegro refuses.
class BitmapLock {
 public:
  BitmapLock(ALLEGRO_BITMAP* bitmap, int format, int mode);
  BitmapLock(ALLEGRO_BITMAP* bitmap, int x, int y, int w, int h, int format, int mode);
  ~BitmapLock();
  BitmapLock(const BitmapLock&) = delete;
  BitmapLock& operator=(const BitmapLock&) = delete;

  explicit operator bool() const { return region != nullptr; }
  const ALLEGRO_LOCKED_REGION& Region() const { return *region; }
  // Row y of a lock in a 32-bit format.
  uint32_t* Row(int y) const {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(region->data) +
                                       static_cast<ptrdiff_t>(y) * region->pitch);
  }

 private:
  ALLEGRO_BITMAP* bitmap = nullptr;
  ALLEGRO_LOCKED_REGION* region = nullptr;
};
