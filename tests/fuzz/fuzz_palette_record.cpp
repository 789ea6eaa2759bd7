// One palette record behind a fixed one-entry directory.

#include "FuzzContainer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ExternalImageManager& manager = OpenAsOnlyRecord('p', data, size);
  if (manager.GetEntryCount() != 1) std::abort();
  if (PaletteSet* palette = manager.GetPaletteFromActiveFile("p")) {
    const int64_t colours =
        static_cast<int64_t>(palette->GetPaletteCount()) * palette->GetColourCount();
    if (colours < 1 || 8 + colours * 4 > static_cast<int64_t>(size)) std::abort();
    delete palette;
  }
  manager.CloseFile();
  return 0;
}
