#include "gui/GUIScrollableWindow.h"

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "gui/GUIManager.h"

void GUIScrollableWindow::setBackgroundPic(const char* name) {
  if (!picture.Find(name)) {
    Log("GUIScrollableWindow::setBackgroundPic: rBgPic file %s not found\n", name ? name : "");
    return;
  }
  if (HasAllBorderImages()) {
    redrawEnabled = true;
    dirty = true;
  }
}

bool GUIScrollableWindow::IsInEdgeZone(int32_t x, int32_t y) const {
  const int64_t b = windowBorderWidth;
  if (!(left < x - b && x + b < right && top < y - b)) return true;
  return y + b >= bottom;
}

bool GUIScrollableWindow::OnInput(int32_t event, int32_t x, int32_t y) {
  if (locked) return false;
  GUIManager* gui = gGUIManager;
  switch (event) {
    case kPress:
      if (!mouseOver) return false;
      held = pressed = true;
      if (gui != nullptr) gui->SetDraggedObject(this);
      windowAnchorX = x;
      windowAnchorY = y;
      edgePress = IsInEdgeZone(x, y);
      return true;
    case kRelease:
      EndPress();
      return false;
    case kTick: {
      if (!pressed) return mouseOver;
      if (mouseOver && (gui == nullptr || gui->GetDraggedObject() != this)) return true;
      // A button let go where no release reached us pans nothing.
      if (!edgePress && gui != nullptr && gui->IsMouseButtonHeld()) {
        Pan(SaturatingSubtract(x, windowAnchorX), SaturatingSubtract(y, windowAnchorY));
      }
      windowAnchorX = x;
      windowAnchorY = y;
      return true;
    }
    default:
      return false;
  }
}

void GUIScrollableWindow::EndPress() {
  GUIWindow::EndPress();
  edgePress = false;
}
