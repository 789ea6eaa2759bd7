#include "gui/GUISmartImage.h"

#include "core/Globals.h"
#include "core/script/PropertyManager.h"

GUISmartImage::GUISmartImage() { typeCode = kTypeCode; }

void GUISmartImage::SetImage(const char* owner, const char* object, const char* property) {
  if (gPropertyManager == nullptr) return;
  PropertyRef found = gPropertyManager->Route(owner, object, property);
  if (gPropertyManager->GetType() == PropertyRef::kImagePointer) watched = found;
}

ImageObject* GUISmartImage::GetWatchedImage() const {
  ImageObject** slot = watched.ObjectAs<ImageObject*>(PropertyRef::kImagePointer);
  return slot != nullptr ? *slot : nullptr;
}

bool GUISmartImage::DescribeDraw(DrawInputs& inputs) const {
  const ImageObject* image = GetWatchedImage();
  inputs.Add(image);
  return image == nullptr || DescribeChildren(inputs);
}

void GUISmartImage::SkipDraw() {
  if (GetWatchedImage() != nullptr) SkipChildren();
}

void GUISmartImage::Draw() {
  if (const ImageObject* image = GetWatchedImage()) {
    image->DrawAt(0, 0, 0);
    RenderChildren(Buffer());
  }
}
