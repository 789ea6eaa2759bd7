// One image record behind a fixed one-entry directory.

#include "FuzzContainer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // 19-byte header, count 1, the name "i", the record's offset 29.
  std::vector<uint8_t> file(19, 0);
  file.insert(file.end(), {1, 0, 0, 0, 1, 'i', 29, 0, 0, 0});
  file.insert(file.end(), data, data + size);
  ExternalImageManager& manager = OpenPlain(file);
  if (manager.GetEntryCount() != 1) std::abort();
  if (ImageObject* image = manager.GetBitmapFromActiveFile("i")) {
    const int64_t pixels = static_cast<int64_t>(image->GetWidth()) * image->GetHeight();
    if (pixels < 1 || pixels * 4 > static_cast<int64_t>(size)) std::abort();
    image->Destroy();
    delete image;
  }
  manager.CloseFile();
  return 0;
}
