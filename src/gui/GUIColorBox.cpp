#include "gui/GUIColorBox.h"

#include <allegro5/allegro.h>

#include <cstring>

GUIColorBox::GUIColorBox() { typeCode = kTypeCode; }

void GUIColorBox::SetColorData(int32_t r, int32_t g, int32_t b, int32_t a) {
  red = r;
  green = g;
  blue = b;
  alpha = a;
}

PropertyRef GUIColorBox::GetPropertyAddress(const char*, const char* property) {
  if (property == nullptr) return PropertyRef();
  const struct {
    const char* name;
    int32_t& field;
  } components[] = {{"Red", red}, {"Green", green}, {"Blue", blue}, {"Alpha", alpha}};
  for (const auto& component : components) {
    if (std::strcmp(component.name, property) == 0) {
      return PropertyRef::Integer(component.field, GetLifetimeToken());
    }
  }
  return PropertyRef();
}

bool GUIColorBox::DescribeDraw(DrawInputs& inputs) const {
  for (int32_t component : {red, green, blue, alpha}) inputs.Add(uint64_t{component & 0xFFu});
  return DescribeChildren(inputs);
}

void GUIColorBox::SkipDraw() { SkipChildren(); }

void GUIColorBox::Draw() {
  const auto low = [](int32_t v) { return static_cast<unsigned char>(v & 0xFF); };
  al_clear_to_color(al_map_rgba(low(red), low(green), low(blue), low(alpha)));
  RenderChildren(Buffer());
}
