#pragma once

#include <cstdint>

#include "core/RootObject.h"

class ImageObject;

// One picture of the scenery behind the map. A plain picture stays where it is on the camera image
// and drifts by its speed; a modulo picture wraps around within its own width, scrolling with the
// camera at its scroll factor.
class BackgroundObject : public RootObject {
 public:
  BackgroundObject() = default;
  ~BackgroundObject() = default;

  // Borrows the image (the data library owns it); width and height come from it.
  void SetImage(ImageObject* image);
  void SetPosition(int32_t x, int32_t y);
  void SetDrawFlags(int32_t flags) { drawFlags = flags; }
  void SetScroll(float x, float y);
  void SetSpeed(int32_t x, int32_t y);
  void SetModuloMode(bool on) { modulo = on; }

  int32_t GetX() const { return x; }
  int32_t GetY() const { return y; }
  int32_t GetWidth() const { return width; }
  int32_t GetHeight() const { return height; }
  bool IsGone() const { return gone; }

  // Moves by the speed; with an active camera it is gone once it lies wholly left of the camera
  // image or at or past its right edge (x + width < 0, or x >= the view's width).
  void Update();
  // Onto the current drawing target; a modulo picture wraps by the offset times its scroll factor.
  void Draw(int32_t offsetX) const;
  void DrawAt(int32_t x, int32_t y) const;
  // Whether the picture overlaps the screen's rectangle; false without an image.
  bool IsOnScreen() const;

 private:
  int32_t width = 0;
  int32_t height = 0;
  ImageObject* image = nullptr;
  bool modulo = false;
  int32_t x = 0;
  int32_t y = 0;
  int32_t drawFlags = 0;
  float scrollX = 0.0f;
  float scrollY = 0.0f;  // kept; no drawing reads it
  int32_t speedX = 0;
  int32_t speedY = 0;
  bool gone = false;
};
