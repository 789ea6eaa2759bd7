// An isometric map file: the reader on any bytes, with a texture list that knows no names (so the
// grid code is reached without textures). Whatever it accepts must be a grid of the sizes it
// says, within the bytes given.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/Log.h"
#include "world/IsoMap.h"
#include "world/TextureLookupList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TextureLookupList* textures = [] {
    SetLogSink([](std::string_view) {});
    return new TextureLookupList();
  }();
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (file == nullptr) return 0;
  IsoMap map;
  const int result = map.ReadFile(file, *textures);
  std::fclose(file);
  if (result == IsoMap::kRead) {
    const int64_t cells = int64_t{map.GetSizeX()} * map.GetSizeY() * map.GetSizeZ();
    if (!map.IsLoaded() || cells > static_cast<int64_t>(size)) std::abort();
    // The far corner answers from the grid.
    (void)map.IsCellEmpty(map.GetSizeX() * 32 - 1, map.GetSizeY() * 32 - 1,
                          -(map.GetSizeZ() * 32 - 1));
  } else if (map.IsLoaded()) {
    std::abort();
  }
  return 0;
}
