// A chunked level from the input: with the first byte even, the rest is a level file (inflated
// into "ActiveChunks.pcf" as the game does); odd, the rest is what a level inflates to. The level
// is then walked as a player would, its chunks read whole and in parts, tested and drawn. No
// input may crash, read past what the file holds, or leave parts queued for deleted chunks.

#include <allegro5/allegro.h>
#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/DeferredCallList.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "world/Chunk.h"
#include "world/ChunkLoader.h"

namespace {

ALLEGRO_BITMAP* Target() {
  static ALLEGRO_BITMAP* target = [] {
    if (!al_install_system(ALLEGRO_VERSION_INT, nullptr)) std::abort();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    SetLogSink([](std::string_view) {});
    gDeferredCallList = new DeferredCallList();
    return al_create_bitmap(64, 64);
  }();
  return target;
}

void Walk(ChunkLoader& loader) {
  const int64_t across = loader.GetChunksAcross(), down = loader.GetChunksDown();
  if (loader.IsOpen()) {
    off_t size = 0;
    if (fseeko(loader.GetFile(), 0, SEEK_END) != 0 || (size = ftello(loader.GetFile())) < 0) {
      std::abort();
    }
    if (across * down > 0 &&
        loader.GetRecordOffset(static_cast<int32_t>(across - 1), static_cast<int32_t>(down - 1)) +
                Chunk::kRecordBytes >
            size) {
      std::abort();
    }
  } else if (across != 0 || down != 0) {
    std::abort();
  }
  for (const auto& [column, row] : {std::pair{0, 0}, {3, 1}, {-7, 40000}}) {
    loader.SetActiveArea(column, row);
    loader.Update();
    for (int n = 0; n < 30; ++n) gDeferredCallList->Run(0.0, true);
    for (const auto& [x, y] : {std::pair{0, 0}, {300, 700}, {-1, 5}, {1000, 255}}) {
      const int32_t free = loader.TestCell(x, y);
      if (free != 0 && free != 1) std::abort();
    }
    al_set_target_bitmap(Target());
    loader.DrawLower(column * 256, row * 256);
    loader.DrawUpper(10, 10);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  Target();
  const bool inflated = (data[0] & 1) != 0;
  const std::vector<uint8_t> rest(data + 1, data + size);
  {
    ChunkLoader loader;
    if (inflated) {
      if (rest.empty()) return 0;
      std::FILE* file = fmemopen(const_cast<uint8_t*>(rest.data()), rest.size(), "rb");
      if (file == nullptr) std::abort();
      loader.OpenInflated(file, "fuzz");
    } else {
      std::FILE* out = std::fopen("fuzz_input.plf", "wb");
      if (out == nullptr) std::abort();
      if (!rest.empty() && std::fwrite(rest.data(), 1, rest.size(), out) != rest.size()) {
        std::abort();
      }
      std::fclose(out);
      loader.OpenLevel("fuzz_input.plf");
    }
    Walk(loader);
  }
  if (gDeferredCallList->GetCount() != 0) std::abort();
  return 0;
}
