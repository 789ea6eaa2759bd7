#pragma once

#include <cstdint>

#include "gui/GUIWindow.h"
#include "gui/GUIWindowPicture.h"

// A picture window that can also be resized by dragging its right or bottom border (the widget
// base's edge grabs, so only a bordered window resizes); a drag elsewhere pans the picture.
class GUIResizeWindow : public GUIWindow {
 public:
  static constexpr int32_t kTypeCode = 3302;

  GUIResizeWindow() { typeCode = kTypeCode; }

  // A miss logs "GUIRSW SetDisplay: rBgPic file %s not found\n" and leaves no picture.
  void SetBackgroundPic(const char* name);
  void SetPictureDimensions(int32_t l, int32_t t, int32_t r, int32_t b) {
    picture.SetRectangle(l, t, r, b);
  }
  // Stored only: the resize edges are the border's.
  void SetBorderWidth(int32_t widthOfZone) { windowBorderWidth = widthOfZone; }
  int32_t GetWindowBorderWidth() const { return windowBorderWidth; }
  void Pan(int32_t dx, int32_t dy) { picture.Pan(dx, dy); }
  // With the right or bottom edge grabbed, grows or shrinks by (dx, dy) with the top-left corner
  // kept, never below 1 x 1; otherwise pans.
  void Drag(int32_t dx, int32_t dy);

  const GUIWindowPicture& GetPicture() const { return picture; }

 protected:
  void Draw() override;
  bool OnInput(int32_t event, int32_t x, int32_t y) override;

 private:
  int32_t windowBorderWidth = 10;
  GUIWindowPicture picture;
};
