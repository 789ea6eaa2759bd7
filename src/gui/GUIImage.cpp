#include "gui/GUIImage.h"

#include "core/Globals.h"
#include "resources/DataLibrary.h"

GUIImage::GUIImage() { typeCode = kTypeCode; }

void GUIImage::SetImage(const char* name) {
  image = gDataLibrary != nullptr && name != nullptr ? gDataLibrary->FindByName<ImageObject>(name)
                                                     : nullptr;
  if (image != nullptr) {
    width = image->GetWidth();
    height = image->GetHeight();
    redrawEnabled = true;
  }
  // Drawing clears the dirty flag: without this the old picture would stay on screen.
  SetDirty();
  SetParentDirty();
}

bool GUIImage::DescribeDraw(DrawInputs& inputs) const {
  inputs.Add(image);
  inputs.Add(static_cast<uint64_t>(static_cast<uint32_t>(drawX)) << 32 |
             static_cast<uint32_t>(drawY));
  return DescribeChildren(inputs);
}

void GUIImage::SkipDraw() {
  dirty = false;
  SkipChildren();
}

void GUIImage::Draw() {
  if (image != nullptr) image->DrawAt(drawX, drawY, 0);
  dirty = false;
  RenderChildren(Buffer());
}
