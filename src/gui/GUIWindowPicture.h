#pragma once

#include <cstdint>

class ImageObject;

// The background picture of the scrollable and resize windows and the view rectangle into it,
// whose top-left corner is drawn at the window's top-left corner.
class GUIWindowPicture {
 public:
  // The first image of that name in the data library; none when there is none.
  bool Find(const char* name);
  ImageObject* Get() const { return picture; }

  void SetRectangle(int32_t l, int32_t t, int32_t r, int32_t b);
  int32_t GetLeft() const { return left; }
  int32_t GetTop() const { return top; }
  int32_t GetRight() const { return right; }
  int32_t GetBottom() const { return bottom; }
  // The view moves against the mouse: dragging right by dx shows what lies dx further left.
  void Pan(int32_t dx, int32_t dy);

  // The width x height region from the view's corner, at (0, 0) of the drawing target; only what
  // lies inside the picture is drawn.
  void Draw(int32_t width, int32_t height) const;

 private:
  ImageObject* picture = nullptr;
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 1;
  int32_t bottom = 1;
};
