// A whole plain container: the directory, then every entry read as an image and as a palette.

#include "FuzzContainer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ExternalImageManager& manager = OpenPlain(std::vector<uint8_t>(data, data + size));
  // Every entry takes at least 5 bytes after the 19-byte header and the 4-byte count.
  const int64_t room = static_cast<int64_t>(size) - 23;
  if (manager.GetEntryCount() > (room < 0 ? 0 : room / 5)) std::abort();
  if (manager.GetEntryCount() > 0 && !manager.IsOpen()) std::abort();
  for (const DirectoryEntry& entry : manager.GetEntries()) ExtractBothWays(manager, entry);
  manager.CloseFile();
  return 0;
}
