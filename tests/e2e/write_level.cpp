// Writes the end-to-end tests' chunked level: write_level <file.plf>
//
// 6 x 6 chunks. Chunk (i, j) is drawn below the actors in (40 i, 40 j, 160) and above them in
// white along its top 16 rows of pixels; it is blocked in its left 32 columns of pixels.

#include <cstdio>

#include "LevelWriter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_level <file.plf>\n");
    return 2;
  }
  using namespace chunk_level;
  const Painter paint = [](int32_t i, int32_t j, ChunkRecord& record) {
    for (int32_t x = 0; x < kChunkSize; ++x) {
      for (int32_t y = 0; y < kChunkSize; ++y) {
        const bool above = y < 16;
        record.Set(x, y,
                   {.r = static_cast<uint8_t>(above ? 255 : 40 * i),
                    .g = static_cast<uint8_t>(above ? 255 : 40 * j),
                    .b = static_cast<uint8_t>(above ? 255 : 160),
                    .a = 255,
                    .clip = static_cast<int16_t>(x < 32 ? 1 : 0),
                    .layer = static_cast<int8_t>(above ? -1 : 0)});
      }
    }
  };
  WriteFile(argv[1], LevelWriter(6, 6).Compressed(paint));
  return 0;
}
