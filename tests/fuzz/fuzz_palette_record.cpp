// One palette record behind a fixed one-entry directory.

#include "FuzzContainer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // 19-byte header, count 1, the name "p", the record's offset 29.
  std::vector<uint8_t> file(19, 0);
  file.insert(file.end(), {1, 0, 0, 0, 1, 'p', 29, 0, 0, 0});
  file.insert(file.end(), data, data + size);
  ExternalImageManager& manager = OpenPlain(file);
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
