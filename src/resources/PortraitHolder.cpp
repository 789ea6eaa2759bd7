#include "resources/PortraitHolder.h"

#include "core/Globals.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"

void PortraitHolder::Destroy() {
  if (image == nullptr) return;
  image->Destroy();
  delete image;
  image = nullptr;
}

void PortraitHolder::LoadFromContainer(const char* name) {
  image = gExternalImageManager != nullptr && name != nullptr
              ? gExternalImageManager->GetBitmapFromActiveFile(name)
              : nullptr;
}
