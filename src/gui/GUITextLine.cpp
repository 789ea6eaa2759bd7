#include "gui/GUITextLine.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/Globals.h"
#include "resources/DataLibrary.h"

namespace {

int32_t LengthOf(size_t size) {
  return static_cast<int32_t>(std::min<size_t>(size, std::numeric_limits<int32_t>::max()));
}

// 10 pixels per character, held at the int32 limit.
int32_t WidthFor(int32_t characters) {
  return static_cast<int32_t>(
      std::min<int64_t>(int64_t{characters} * 10, std::numeric_limits<int32_t>::max()));
}

}  // namespace

GUITextLine::GUITextLine() : colour(al_map_rgb(255, 255, 255)) {
  typeCode = kTypeCode;
  if (gDataLibrary != nullptr) {
    font = gDataLibrary->GetEntry<ALLEGRO_FONT>("Fonts", "General", "System", "SystemFont");
  }
}

void GUITextLine::SetString(const char* newText) {
  if (font == nullptr) return;
  StoreText(newText != nullptr ? newText : "");
}

void GUITextLine::StoreText(std::string_view newText) {
  previousLength = length;
  text.assign(newText);
  hasText = true;
  length = LengthOf(text.size());
  Touch();
  if (autoSize && length != previousLength) SetDimensions(left, top, WidthFor(length), 16);
}

void GUITextLine::Append(const char* more) {
  if (more == nullptr) return;
  text.append(more);
  hasText = true;
  length = LengthOf(text.size());
  Touch();
}

void GUITextLine::Clear() {
  text.clear();
  hasText = false;
  length = 0;
  Touch();
}

void GUITextLine::Touch() {
  SetDirty();
  SetParentDirty();
}

bool GUITextLine::DescribeDraw(DrawInputs& inputs) const {
  inputs.Add(font);
  inputs.Add(colour);
  inputs.Add(uint64_t{hasText});
  inputs.Add(text);
  return DescribeChildren(inputs);
}

void GUITextLine::SkipDraw() {
  SkipChildren();
  dirty = false;
}

void GUITextLine::Draw() {
  if (font != nullptr && hasText) al_draw_text(font, colour, 0, 0, 0, text.c_str());
  RenderChildren(Buffer());
  dirty = false;
}
