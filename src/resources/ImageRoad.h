#pragma once

#include <allegro5/allegro.h>

// The two ways an image is drawn: Allegro's bitmap drawing, which is the reference, and textured
// quads through OpenGL on a display made for it. An image chooses its road on every call: the
// OpenGL road while the shared render-mode flag is set and the bitmap lives on the video card, the
// Allegro road otherwise (memory bitmaps have no texture to draw from).
//
// Every operation draws onto the current drawing target; destinations already include the image's
// draw offset. The flags are Allegro's (ALLEGRO_FLIP_HORIZONTAL, ALLEGRO_FLIP_VERTICAL).
class ImageRoad {
 public:
  virtual ~ImageRoad() = default;

  virtual void Draw(ALLEGRO_BITMAP* bitmap, float dx, float dy, int flags) const = 0;
  virtual void DrawRegion(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                          float dy, int flags) const = 0;
  virtual void DrawScaled(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                          float dy, float dw, float dh, int flags) const = 0;
  // The angle is in radians, as Allegro takes it; (cx, cy) of the bitmap lands on (dx, dy).
  virtual void DrawRotated(ALLEGRO_BITMAP* bitmap, float cx, float cy, float dx, float dy,
                           float angle, int flags) const = 0;
  // Fills the whole bitmap with the colour. The Allegro road leaves the bitmap the drawing target.
  virtual void Clear(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR colour) const = 0;
};

// Allegro's bitmap functions (ImageObject.cpp).
const ImageRoad& AllegroImageRoad();
// Textured quads (ImageObjectOpenGL.cpp).
const ImageRoad& OpenGLImageRoad();
