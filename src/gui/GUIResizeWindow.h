#pragma once

#include <cstdint>

#include "gui/GUIPictureWindow.h"

// A picture window that can also be resized by dragging its right or bottom border (the widget
// base's edge grabs, so only a bordered window resizes); a drag elsewhere pans the picture. Its
// border width is stored only.
class GUIResizeWindow : public GUIPictureWindow {
 public:
  static constexpr int32_t kTypeCode = 3302;

  GUIResizeWindow() { typeCode = kTypeCode; }

  // A miss logs "GUIRSW SetDisplay: rBgPic file %s not found\n" and leaves no picture.
  void SetBackgroundPic(const char* name);
  // With the right or bottom edge grabbed, grows or shrinks by (dx, dy) with the top-left corner
  // kept, never below 1 x 1; otherwise pans.
  void Drag(int32_t dx, int32_t dy);

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
};
