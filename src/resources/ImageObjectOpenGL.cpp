// The OpenGL road of the image object: textured quads on a display made for OpenGL.
//
// Where OpenGL cannot draw (a memory bitmap as source or as target) the Allegro road draws
// instead, so an image looks the same on either road.

#include <numbers>

#include "resources/GLUtilities.h"
#include "resources/ImageRoad.h"

namespace {

class OpenGLRoad final : public ImageRoad {
 public:
  void Draw(ALLEGRO_BITMAP* bitmap, float dx, float dy, int flags) const override {
    if (!GLCanDraw(bitmap)) return AllegroImageRoad().Draw(bitmap, dx, dy, flags);
    GLDrawBitmap(bitmap, dx, dy, flags);
  }
  void DrawRegion(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                  float dy, int flags) const override {
    if (!GLCanDraw(bitmap))
      return AllegroImageRoad().DrawRegion(bitmap, sx, sy, sw, sh, dx, dy, flags);
    GLDrawBitmapRegion(bitmap, sx, sy, sw, sh, dx, dy, flags);
  }
  void DrawScaled(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                  float dy, float dw, float dh, int flags) const override {
    if (!GLCanDraw(bitmap)) {
      return AllegroImageRoad().DrawScaled(bitmap, sx, sy, sw, sh, dx, dy, dw, dh, flags);
    }
    GLDrawScaledBitmap(bitmap, sx, sy, sw, sh, dx, dy, dw, dh, flags);
  }
  // Callers turn images in radians, as Allegro does; the quads turn in degrees.
  void DrawRotated(ALLEGRO_BITMAP* bitmap, float cx, float cy, float dx, float dy, float angle,
                   int flags) const override {
    if (!GLCanDraw(bitmap)) {
      return AllegroImageRoad().DrawRotated(bitmap, cx, cy, dx, dy, angle, flags);
    }
    GLDrawRotatedBitmap(bitmap, cx, cy, dx, dy, angle * 180.0f / std::numbers::pi_v<float>, flags);
  }
  // Writes the bitmap's own framebuffer and leaves the drawing target as it was. The back buffer
  // has no framebuffer object of its own: Allegro clears it, and it becomes the target.
  void Clear(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR colour) const override {
    unsigned char r, g, b, a;
    al_unmap_rgba(colour, &r, &g, &b, &a);
    if (!GLClearBitmap(bitmap, r, g, b, a)) AllegroImageRoad().Clear(bitmap, colour);
  }
};

}  // namespace

const ImageRoad& OpenGLImageRoad() {
  static const OpenGLRoad road;
  return road;
}
