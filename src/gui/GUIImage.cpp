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

void GUIImage::Draw() {
  if (image != nullptr) image->DrawAt(drawX, drawY, 0);
  dirty = false;
  RenderChildren(Buffer());
}
