#include "resources/PortraitHolder.h"

#include "core/Globals.h"
#include "resources/ExternalImageManager.h"

void PortraitHolder::LoadFromContainer(const char* name) {
  Set(gExternalImageManager != nullptr && name != nullptr
          ? gExternalImageManager->GetBitmapFromActiveFile(name)
          : nullptr);
}
