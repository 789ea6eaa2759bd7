#include "resources/BitmapLock.h"

#include "resources/GLUtilities.h"

BitmapLock::BitmapLock(ALLEGRO_BITMAP* bitmap, int format, int mode) {
  if (bitmap == nullptr || al_is_bitmap_locked(bitmap)) return;
  GLFlushHeldDrawing();
  region = al_lock_bitmap(bitmap, format, mode);
  if (region != nullptr) this->bitmap = bitmap;
}

BitmapLock::BitmapLock(ALLEGRO_BITMAP* bitmap, int x, int y, int w, int h, int format, int mode) {
  if (bitmap == nullptr || w <= 0 || h <= 0 || al_is_bitmap_locked(bitmap)) return;
  GLFlushHeldDrawing();
  region = al_lock_bitmap_region(bitmap, x, y, w, h, format, mode);
  if (region != nullptr) this->bitmap = bitmap;
}

BitmapLock::~BitmapLock() {
  if (bitmap != nullptr) al_unlock_bitmap(bitmap);
}
