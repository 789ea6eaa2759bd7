#pragma once

#include <cstdint>

#include "gui/GUIWindow.h"
#include "gui/GUIWindowPicture.h"

// A window showing a picture from the data library through a view rectangle; dragging inside the
// window (away from its edge zone) pans the picture.
class GUIScrollableWindow : public GUIWindow {
 public:
  static constexpr int32_t kTypeCode = 3301;

  GUIScrollableWindow() { typeCode = kTypeCode; }

  // A miss logs "GUIScrollableWindow::setBackgroundPic: rBgPic file %s not found\n" and leaves no
  // picture; a picture found while all three border images are set re-enables the redraw.
  void setBackgroundPic(const char* name);
  void SetPictureDimensions(int32_t l, int32_t t, int32_t r, int32_t b) {
    picture.SetRectangle(l, t, r, b);
  }
  void SetBorderWidth(int32_t widthOfZone) { windowBorderWidth = widthOfZone; }
  void Pan(int32_t dx, int32_t dy) { picture.Pan(dx, dy); }
  // Whether a press at (x, y), in the parent's coordinates, lands within the border width of an
  // edge, where it does not pan.
  bool IsInEdgeZone(int32_t x, int32_t y) const;

  const GUIWindowPicture& GetPicture() const { return picture; }

 protected:
  void Draw() override;
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void EndPress() override;

 private:
  int32_t windowBorderWidth = 10;
  bool edgePress = false;
  GUIWindowPicture picture;
};
