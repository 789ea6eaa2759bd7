// One image record behind a fixed one-entry directory.

#include "FuzzContainer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ExternalImageManager& manager = OpenAsOnlyRecord('i', data, size);
  if (manager.GetEntryCount() != 1) std::abort();
  if (ImageObject* image = manager.GetBitmapFromActiveFile("i")) {
    const int64_t pixels = static_cast<int64_t>(image->GetWidth()) * image->GetHeight();
    if (pixels < 1 || pixels * 4 > static_cast<int64_t>(size)) std::abort();
    delete image;
  }
  manager.CloseFile();
  return 0;
}
