// Streams a 20 x 20 chunked level around a player who moves one chunk every tick, snaking across
// every row, and reports the longest and the mean tick on two roads in the same run: the game's,
// where the outer ring of the 5 x 5 block is read in parts through the deferred-call list in the
// time the tick leaves, and whole reads of every new chunk at once. A tick here is what the game
// loop spends on the level: moving the active area, Update, then the deferred calls with what is
// left of the 16.7 ms budget. The aim: no tick past the budget on the part-wise road. Beside it,
// opening the level (inflating it into "ActiveChunks.pcf") against zlib's own inflate of the same
// file into a file.
//
// Headless, chunk images are memory bitmaps; with --display (under xvfb-run) they are video bitmaps
// of an OpenGL display, as in the game. bench_ChunkStreaming [--display] [rounds]

#include <allegro5/allegro.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "LevelWriter.h"
#include "core/Clock.h"
#include "core/DeferredCallList.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "support/AllegroHeadless.h"
#include "support/GLDisplay.h"
#include "support/TempDir.h"
#include "world/Chunk.h"
#include "world/ChunkLoader.h"

namespace {

constexpr int32_t kSide = 20;
constexpr double kTickBudget = 0.01666;

// Painted ground with walls and a layer above, a little noise so that it compresses as art does.
void Paint(int32_t column, int32_t row, chunk_level::ChunkRecord& record) {
  uint32_t seed = static_cast<uint32_t>(column * 7919 + row);
  for (int32_t x = 0; x < chunk_level::kChunkSize; ++x) {
    for (int32_t y = 0; y < chunk_level::kChunkSize; ++y) {
      seed = seed * 1664525u + 1013904223u;
      const bool wall = (x / 32 + y / 32 + column + row) % 5 == 0;
      record.Set(x, y,
                 {static_cast<uint8_t>(x + (seed >> 29)), static_cast<uint8_t>(y),
                  static_cast<uint8_t>(wall ? 200 : 60), 255, static_cast<int16_t>(wall ? 1 : 0),
                  static_cast<int8_t>(y % 64 < 8 ? -1 : 0)});
    }
  }
}

// Every chunk of the level once, row after row, each row the other way round.
std::vector<std::pair<int32_t, int32_t>> Path() {
  std::vector<std::pair<int32_t, int32_t>> path;
  for (int32_t row = 0; row < kSide; ++row) {
    for (int32_t n = 0; n < kSide; ++n) path.emplace_back(row % 2 == 0 ? n : kSide - 1 - n, row);
  }
  return path;
}

struct Sweep {
  double entry = 0, longest = 0, mean = 0;
  int32_t overBudget = 0;
};

Sweep RunSweep(bool partWise) {
  DeferredCallList calls;
  gDeferredCallList = partWise ? &calls : nullptr;
  ChunkLoader loader;
  if (loader.OpenLevel("bench.plf") != 0) std::exit(1);
  Sweep sweep;
  double total = 0;
  const auto path = Path();
  for (size_t tick = 0; tick < path.size(); ++tick) {
    const double start = WallClock();
    loader.SetActiveArea(path[tick].first, path[tick].second);
    loader.Update();
    calls.Run(kTickBudget - (WallClock() - start), true);
    const double took = WallClock() - start;
    if (tick == 0) {
      sweep.entry = took;  // the whole block at once, on entering the level
      continue;
    }
    sweep.longest = std::max(sweep.longest, took);
    total += took;
    if (took > kTickBudget) ++sweep.overBudget;
  }
  sweep.mean = total / static_cast<double>(path.size() - 1);
  gDeferredCallList = nullptr;
  return sweep;
}

// zlib alone: the level file read in 512 KiB pieces and inflated into a file, as the open does.
double ZlibInflateToFile() {
  const double start = WallClock();
  std::FILE* in = std::fopen("bench.plf", "rb");
  std::FILE* out = std::fopen("zlib.out", "wb");
  static Bytef input[524288], output[524288];
  z_stream z{};
  inflateInit(&z);
  int ret = Z_OK;
  while (ret != Z_STREAM_END) {
    z.avail_in = static_cast<uInt>(std::fread(input, 1, sizeof input, in));
    if (z.avail_in == 0) std::exit(1);
    z.next_in = input;
    do {
      z.next_out = output;
      z.avail_out = sizeof output;
      ret = inflate(&z, Z_NO_FLUSH);
      if (ret != Z_OK && ret != Z_STREAM_END) std::exit(1);
      std::fwrite(output, 1, sizeof output - z.avail_out, out);
    } while (z.avail_out == 0);
  }
  inflateEnd(&z);
  std::fclose(in);
  std::fclose(out);
  const double took = WallClock() - start;
  std::remove("zlib.out");
  return took;
}

double OpenLevel() {
  const double start = WallClock();
  ChunkLoader loader;
  if (loader.OpenLevel("bench.plf") != 0) std::exit(1);
  return WallClock() - start;
}

void Print(const char* road, const Sweep& sweep) {
  std::printf("%-34s %9.2f %9.2f %9.2f %8d\n", road, sweep.entry * 1e3, sweep.longest * 1e3,
              sweep.mean * 1e3, sweep.overBudget);
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 3;
  bool display = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--display") {
      display = true;
    } else {
      rounds = std::max(1, std::atoi(argv[i]));
    }
  }
  StartAllegroHeadless();
  if (display) {
    if (SharedGLDisplay(800, 600) == nullptr) {
      std::fprintf(stderr, "no display: %s\n", GLDisplayError().c_str());
      return 1;
    }
    al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
  }
  SetLogSink([](std::string_view text) { std::fputs(std::string(text).c_str(), stderr); });
  TempDir dir;

  const chunk_level::Bytes level = chunk_level::LevelWriter(kSide, kSide).Compressed(Paint, 6);
  chunk_level::WriteFile("bench.plf", level);
  std::printf("level: %d x %d chunks, %.1f MiB compressed, %.1f MiB inflated, %s bitmaps\n", kSide,
              kSide, level.size() / 1048576.0,
              (22 + double{kSide} * kSide * Chunk::kRecordBytes) / 1048576.0,
              display ? "video" : "memory");
  std::printf("best of %d rounds\n\n", rounds);

  double bestZlib = 1e9, bestOpen = 1e9;
  Sweep bestParts{1e9, 1e9, 1e9, 0}, bestWhole{1e9, 1e9, 1e9, 0};
  const auto keepBest = [](Sweep& best, const Sweep& sweep) {
    if (sweep.longest < best.longest) best = sweep;
  };
  for (int round = 0; round < rounds; ++round) {
    bestZlib = std::min(bestZlib, ZlibInflateToFile());
    bestOpen = std::min(bestOpen, OpenLevel());
    keepBest(bestParts, RunSweep(true));
    keepBest(bestWhole, RunSweep(false));
  }

  std::printf("opening the level                  %9.1f ms\n", bestOpen * 1e3);
  std::printf("zlib inflate of the file to a file %9.1f ms  (open / zlib = %.2f)\n\n",
              bestZlib * 1e3, bestOpen / bestZlib);
  std::printf("%-34s %9s %9s %9s %8s\n", "ticks, one chunk a tick (ms)", "entry", "longest", "mean",
              ">16.7ms");
  Print("outer ring in deferred parts", bestParts);
  Print("every new chunk read whole", bestWhole);
  return 0;
}
