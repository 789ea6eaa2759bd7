#include "gui/GUIWindow.h"

#include <allegro5/allegro_primitives.h>

#include <algorithm>

GUIWindow::GUIWindow() : backgroundColour(al_map_rgb(0, 0, 0)) {
  typeCode = kTypeCode;
  SetBorderImages(nullptr, nullptr, nullptr);
}

void GUIWindow::SetBackgroundColor(int32_t red, int32_t green, int32_t blue) {
  const auto byte = [](int32_t v) { return static_cast<unsigned char>(std::clamp(v, 0, 255)); };
  backgroundColour = al_map_rgb(byte(red), byte(green), byte(blue));
}

void GUIWindow::Draw() {
  al_draw_filled_rectangle(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height),
                           backgroundColour);
  FinishDraw();
}

void GUIWindow::FinishDraw() {
  SetDirty();
  SetParentDirty();
  RenderChildren(Buffer());
}

bool GUIWindow::DescribeDraw(DrawInputs& inputs) const {
  inputs.Add(backgroundColour);
  return DescribeChildren(inputs);
}

void GUIWindow::SkipDraw() {
  SetDirty();
  SetParentDirty();
  SkipChildren();
}

void GUIWindow::EndPress() { held = pressed = false; }
