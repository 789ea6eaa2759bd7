#include "gui/GUIResizeWindow.h"

#include <algorithm>

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "gui/GUIManager.h"

void GUIResizeWindow::SetBackgroundPic(const char* name) {
  if (!picture.Find(name)) Log("GUIRSW SetDisplay: rBgPic file %s not found\n", name ? name : "");
}

void GUIResizeWindow::Drag(int32_t dx, int32_t dy) {
  if (!grabRight && !grabBottom) {
    Pan(dx, dy);
    return;
  }
  // A bitmap cannot be less than a pixel, and a widget without one would vanish mid-drag.
  const int32_t newWidth = grabRight ? std::max(SaturatingAdd(width, dx), 1) : width;
  const int32_t newHeight = grabBottom ? std::max(SaturatingAdd(height, dy), 1) : height;
  if (newWidth != width || newHeight != height) SetDimensions(left, top, newWidth, newHeight);
}

bool GUIResizeWindow::OnInput(int32_t event, int32_t x, int32_t y) {
  if (locked) return false;
  switch (event) {
    case kPress:
      if (!IsInside(x, y)) return false;
      pressed = true;
      windowAnchorX = x;
      windowAnchorY = y;
      return true;
    case kRelease:
      pressed = false;
      return false;
    case kTick:
      if (pressed && gGUIManager != nullptr && gGUIManager->IsMouseButtonHeld()) {
        Drag(SaturatingSubtract(x, windowAnchorX), SaturatingSubtract(y, windowAnchorY));
        windowAnchorX = x;
        windowAnchorY = y;
      }
      return false;
    default:
      return false;
  }
}
