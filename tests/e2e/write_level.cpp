// Writes the end-to-end tests' chunked levels:
//   write_level <file.plf>                    6 x 6 chunks
//   write_level <file.plf> trailing <bytes>   1 x 1 chunk, its stream going on for that many zero
//                                             bytes past the record (about a thousandth on disk)
//   write_level <file.plf> promise            a header alone, promising 32768 chunks 2 GiB apart
//
// Chunk (i, j) is drawn below the actors in (40 i, 40 j, 160) and above them in white along its
// top 16 rows of pixels; it is blocked in its left 32 columns of pixels.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "LevelWriter.h"

int main(int argc, char** argv) {
  using namespace chunk_level;
  const bool trailing = argc == 4 && std::strcmp(argv[2], "trailing") == 0;
  const bool promise = argc == 3 && std::strcmp(argv[2], "promise") == 0;
  if (argc != 2 && !trailing && !promise) {
    std::fprintf(stderr, "usage: write_level <file.plf> [trailing <bytes> | promise]\n");
    return 2;
  }
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
  if (promise) {
    WriteFile(argv[1], Compress(HeaderBytes({.spacing = INT32_MAX, .across = 1, .down = 32768})));
  } else if (trailing) {
    Deflater deflater(Z_BEST_COMPRESSION);
    deflater.Add(LevelWriter(1, 1).Inflated(paint));
    const Bytes zeros(1 << 20, 0);
    for (uint64_t left = std::strtoull(argv[3], nullptr, 10); left > 0;) {
      const size_t size = left < zeros.size() ? static_cast<size_t>(left) : zeros.size();
      deflater.Add(zeros.data(), size);
      left -= size;
    }
    WriteFile(argv[1], deflater.Finish());
  } else {
    WriteFile(argv[1], LevelWriter(6, 6).Compressed(paint));
  }
  return 0;
}
