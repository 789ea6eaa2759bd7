#pragma once

#include <cstdint>

#include "gui/GUIWindow.h"
#include "gui/GUIWindowPicture.h"

// What the scrollable and the resize window share: a picture from the data library seen through a
// view rectangle, drawn in place of the background colour, and a border width they store.
class GUIPictureWindow : public GUIWindow {
 public:
  void SetPictureDimensions(int32_t l, int32_t t, int32_t r, int32_t b) {
    picture.SetRectangle(l, t, r, b);
  }
  void SetBorderWidth(int32_t widthOfZone) { windowBorderWidth = widthOfZone; }
  int32_t GetWindowBorderWidth() const { return windowBorderWidth; }
  void Pan(int32_t dx, int32_t dy) { picture.Pan(dx, dy); }

  const GUIWindowPicture& GetPicture() const { return picture; }

 protected:
  void Draw() override {
    picture.Draw(width, height);
    FinishDraw();
  }
  bool DescribeDraw(DrawInputs& inputs) const override {
    inputs.Add(picture.Get());
    for (int32_t side :
         {picture.GetLeft(), picture.GetTop(), picture.GetRight(), picture.GetBottom()})
      inputs.Add(static_cast<uint64_t>(static_cast<uint32_t>(side)));
    return GUIWindow::DescribeDraw(inputs);
  }

  int32_t windowBorderWidth = 10;
  GUIWindowPicture picture;
};
