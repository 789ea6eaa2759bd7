#pragma once

#include <cstdint>

#include "gui/GUIPictureWindow.h"

// A window showing a picture from the data library through a view rectangle; dragging inside the
// window (away from its edge zone) pans the picture.
class GUIScrollableWindow : public GUIPictureWindow {
 public:
  static constexpr int32_t kTypeCode = 3301;

  GUIScrollableWindow() { typeCode = kTypeCode; }

  // A miss logs "GUIScrollableWindow::setBackgroundPic: rBgPic file %s not found\n" and leaves no
  // picture; a picture found while all three border images are set re-enables the redraw.
  void setBackgroundPic(const char* name);
  // Whether a press at (x, y), in the parent's coordinates, lands within the border width of an
  // edge, where it does not pan.
  bool IsInEdgeZone(int32_t x, int32_t y) const;

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void EndPress() override;

 private:
  bool edgePress = false;
};
