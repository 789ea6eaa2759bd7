#include <allegro5/allegro_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "LevelWriter.h"
#include "core/DeferredCallList.h"
#include "core/Globals.h"
#include "core/script/LuaManager.h"
#include "support/AllegroHeadless.h"
#include "support/GlobalsFixture.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/Chunk.h"
#include "world/ChunkLoader.h"

namespace {

using namespace chunk_level;

constexpr const char* kLevel = "level.plf";

// Every chunk tells where it is: colour (10 + column, 20 + row, x, 255), clipped (by 1 + column *
// 16 + row, or -1 on the last column of pixels) where (x + y) % 7 == 0, and drawn above the actors
// in the first 16 rows of pixels.
int16_t ClipOf(int32_t column, int32_t row, int32_t x, int32_t y) {
  if ((x + y) % 7 != 0) return 0;
  return x == 255 ? int16_t{-1} : static_cast<int16_t>(1 + column * 16 + row);
}

void Paint(int32_t column, int32_t row, ChunkRecord& record) {
  for (int32_t x = 0; x < kChunkSize; ++x) {
    for (int32_t y = 0; y < kChunkSize; ++y) {
      record.Set(x, y,
                 {static_cast<uint8_t>(10 + column), static_cast<uint8_t>(20 + row),
                  static_cast<uint8_t>(x), 255, ClipOf(column, row, x, y),
                  static_cast<int8_t>(y < 16 ? -1 : 0)});
    }
  }
}

Rgba ColourOf(int32_t column, int32_t row, int32_t x) {
  return {static_cast<unsigned char>(10 + column), static_cast<unsigned char>(20 + row),
          static_cast<unsigned char>(x), 255};
}

Rgba LowerColourOf(int32_t column, int32_t row, int32_t x, int32_t y) {
  return y < 16 ? Rgba{} : ColourOf(column, row, x);
}

class ChunkLoaderTest : public GlobalsFixture {
 protected:
  ChunkLoaderTest() { StartAllegroHeadless(); }
  ~ChunkLoaderTest() override { al_set_target_bitmap(nullptr); }

  static void WriteLevel(const Header& header, const Painter& paint = Paint) {
    WriteFile(kLevel, LevelWriter(header).Compressed(paint, 1));
  }
  static void WriteLevel(int32_t across, int32_t down) {
    WriteLevel(Header{.across = across, .down = down});
  }

  // A level of that size whose records are all zero, made as a sparse file in no time, opened
  // through the loader's inflated road.
  static int32_t OpenSparse(ChunkLoader& loader, int32_t across, int32_t down,
                            int32_t spacing = static_cast<int32_t>(kRecordBytes)) {
    std::FILE* file = std::fopen("sparse.pcf", "w+b");
    const Bytes header = HeaderBytes({.spacing = spacing, .across = across, .down = down});
    std::fwrite(header.data(), 1, header.size(), file);
    std::fflush(file);
    const int64_t size = kHeaderBytes + (int64_t{across} * down - 1) * spacing + kRecordBytes;
    EXPECT_EQ(ftruncate(fileno(file), size), 0);
    return loader.OpenInflated(file, "sparse.pcf");
  }

  static void MoveTo(ChunkLoader& loader, int32_t column, int32_t row) {
    loader.SetActiveArea(column, row);
    loader.Update();
  }

  // Asserts what every chunk of the 5 x 5 block around (column, row) answers, and that nothing
  // else is loaded.
  static void ExpectLoaded(const ChunkLoader& loader, int32_t left, int32_t right, int32_t top,
                           int32_t bottom) {
    for (int32_t i = 0; i < loader.GetChunksAcross(); ++i) {
      for (int32_t j = 0; j < loader.GetChunksDown(); ++j) {
        const bool inside = i >= left && i <= right && j >= top && j <= bottom;
        EXPECT_EQ(loader.IsActive(i, j), inside) << i << "," << j;
        EXPECT_EQ(loader.GetChunkAt(i * 256, j * 256) != nullptr, inside) << i << "," << j;
      }
    }
  }

  TempDir dir;
  LogCapture log;
};

TEST_F(ChunkLoaderTest, OpenLevel_ReadsTheHeaderAndKeepsTheInflatedFileUntilDestroyed) {
  WriteLevel(Header{.tag = "anything!!", .spacing = 458752, .across = 2, .down = 3});
  {
    ChunkLoader loader;
    ASSERT_EQ(loader.OpenLevel(kLevel), 0);
    EXPECT_TRUE(loader.IsOpen());
    EXPECT_EQ(loader.GetChunksAcross(), 2);
    EXPECT_EQ(loader.GetChunksDown(), 3);
    EXPECT_EQ(loader.GetRecordSpacing(), 458752);
    EXPECT_EQ(std::filesystem::file_size("ActiveChunks.pcf"), 22u + 6u * 458752u);
    EXPECT_EQ(log.Text(), "");

    // A second level is refused and nothing changes.
    WriteFile("other.plf", LevelWriter(1, 1).Compressed(Paint, 1));
    EXPECT_EQ(loader.OpenLevel("other.plf"), -1);
    EXPECT_EQ(loader.GetLevelPath(), kLevel);
    EXPECT_EQ(loader.GetChunksAcross(), 2);
    EXPECT_EQ(std::filesystem::file_size("ActiveChunks.pcf"), 22u + 6u * 458752u);
  }
  EXPECT_FALSE(dir.Exists("ActiveChunks.pcf"));
}

TEST_F(ChunkLoaderTest, OpenLevel_MissingFileLogsAndLeavesAnEmptyLevel) {
  ChunkLoader loader;
  EXPECT_EQ(loader.OpenLevel("Maps/missing.plf"), -1);
  EXPECT_EQ(log.Text(), "Warning:  Couldn't open level Maps/missing.plf, file not found\n");
  EXPECT_FALSE(loader.IsOpen());
  EXPECT_EQ(loader.GetChunksAcross(), 0);
  EXPECT_FALSE(dir.Exists("ActiveChunks.pcf"));
}

TEST_F(ChunkLoaderTest, OpenLevel_DamagedLevelsLeaveAnEmptyLevel) {
  const Bytes oneRecord = LevelWriter(1, 1).Inflated(Paint);
  Bytes truncatedRecord = oneRecord;
  truncatedRecord.resize(truncatedRecord.size() - 1);
  const struct {
    const char* name;
    Bytes file;
    const char* reason;
  } cases[] = {
      {"not zlib", Bytes(4000, 'x'), "its header is short"},
      {"empty file", {}, "its header is short"},
      {"short header", Compress(Bytes(21, 0)), "its header is short"},
      {"negative spacing", Compress(HeaderBytes({.spacing = -1, .across = 0, .down = 0})),
       "its sizes are negative"},
      {"negative across", Compress(HeaderBytes({.across = -3, .down = 1})),
       "its sizes are negative"},
      {"negative down", Compress(HeaderBytes({.across = 1, .down = INT32_MIN})),
       "its sizes are negative"},
      {"huge grid", Compress(HeaderBytes({.across = 2000, .down = 2000})),
       "it has too many chunks"},
      {"huge axis, no rows", Compress(HeaderBytes({.across = INT32_MAX, .down = 0})),
       "it has too many chunks"},
      {"records missing", Compress(HeaderBytes({.across = 2, .down = 2})),
       "its chunk records run past the end of the file"},
      {"last record cut", Compress(truncatedRecord),
       "its chunk records run past the end of the file"},
      {"spacing past the end", Compress([&] {
         Bytes b = HeaderBytes({.spacing = INT32_MAX, .across = 1, .down = 2});
         b.insert(b.end(), oneRecord.begin() + kHeaderBytes, oneRecord.end());
         return b;
       }()),
       "its chunk records run past the end of the file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(kLevel, c.file);
    log.Clear();
    // Free space that cannot be told: the reasons do not depend on this machine's disk.
    ChunkLoader loader([] { return int64_t{-1}; });
    EXPECT_EQ(loader.OpenLevel(kLevel), -1);
    EXPECT_EQ(log.Text(),
              std::string("Warning:  Couldn't open level level.plf, ") + c.reason + "\n");
    EXPECT_FALSE(loader.IsOpen());
    EXPECT_EQ(loader.GetChunksAcross(), 0);
    EXPECT_EQ(loader.GetChunksDown(), 0);
    EXPECT_FALSE(dir.Exists("ActiveChunks.pcf"));
    // The empty level goes on answering.
    MoveTo(loader, 0, 0);
    loader.DrawLower(0, 0);
    EXPECT_EQ(loader.TestCell(10, 10), 0);
  }
}

TEST_F(ChunkLoaderTest, OpenLevel_AStreamCutAfterEveryRecordStillOpens) {
  Bytes level = LevelWriter(1, 2).Compressed(Paint, 1);
  level.resize(level.size() - 4);  // the stream's check value
  WriteFile(kLevel, level);
  ChunkLoader loader;
  EXPECT_EQ(loader.OpenLevel(kLevel), 0);
  EXPECT_EQ(log.Text(), "Warning:  Level level.plf ends in damaged data, which is not read\n");
  EXPECT_EQ(loader.GetChunksDown(), 2);
}

TEST_F(ChunkLoaderTest, OpenLevel_TemporaryFileThatCannotBeMadeIsRefused) {
  WriteLevel(1, 1);
  std::filesystem::create_directory("ActiveChunks.pcf");
  ChunkLoader loader;
  EXPECT_EQ(loader.OpenLevel(kLevel), -1);
  EXPECT_EQ(log.Text(),
            "Warning:  Couldn't open level level.plf, ActiveChunks.pcf could not be made\n");
  EXPECT_FALSE(loader.IsOpen());
}

// Making and removing the inflated file are file writes: a kept script of that name that ran
// earlier in the tick does not run again from what the file held before.
TEST_F(ChunkLoaderTest, AScriptAtTheInflatedFileNameIsReadAgainInTheSameTick) {
  WriteLevel(1, 1);
  LuaManager lua{{}};
  lua_State* state = lua.GetState();
  const auto run = [&] {
    lua_pushnil(state);
    lua_setglobal(state, "value");
    lua.ExecuteScript("ActiveChunks.pcf", 0);
    lua_getglobal(state, "value");
    const double value = lua_tonumber(state, -1);
    lua_pop(state, 1);
    return value;
  };
  const auto keep = [&] {
    std::filesystem::last_write_time(
        dir.Write("ActiveChunks.pcf", "value = 1"),
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    ++gTickCount;
    EXPECT_EQ(run(), 1);
  };
  keep();
  auto* loader = new ChunkLoader();
  ASSERT_EQ(loader->OpenLevel(kLevel), 0);
  EXPECT_EQ(run(), 0);  // the level's bytes do not load
  keep();
  delete loader;
  EXPECT_EQ(run(), 0);
  EXPECT_FALSE(dir.Exists("ActiveChunks.pcf"));
}

TEST_F(ChunkLoaderTest, OpenLevel_EmptyLevelOfNoChunksOpens) {
  WriteFile(kLevel, Compress(HeaderBytes({.across = 0, .down = 5})));
  ChunkLoader loader;
  EXPECT_EQ(loader.OpenLevel(kLevel), 0);
  MoveTo(loader, 0, 0);
  EXPECT_EQ(loader.TestCell(0, 0), 0);
  EXPECT_EQ(log.Text(), "Failed 0x0\n");
}

// A level whose stream goes on far past the records its header promises: what the header needs is
// inflated and nothing more, whatever follows (zeros, or a stream cut off inside them).
TEST_F(ChunkLoaderTest, OpenLevel_InflatesNoFurtherThanTheLastRecord) {
  const auto followedBy = [](const Bytes& level, size_t zeros, size_t cut = 0) {
    Deflater deflater(1);
    deflater.Add(level);
    deflater.Add(Bytes(zeros, 0));
    Bytes out = deflater.Finish();
    out.resize(out.size() - cut);
    return out;
  };
  const Bytes gapped =
      LevelWriter(Header{.spacing = 458752 + 1000, .across = 2, .down = 1}).Inflated(Paint);
  const struct {
    const char* name;
    Bytes file;
    int32_t across, down;
    uint64_t needed;
  } cases[] = {
      {"one chunk, 16 MB after it", followedBy(LevelWriter(1, 1).Inflated(Paint), 16 << 20), 1, 1,
       22 + 458752},
      {"stream cut long after the record",
       followedBy(LevelWriter(1, 1).Inflated(Paint), 16 << 20, 1000), 1, 1, 22 + 458752},
      {"the last record's gap is not needed", followedBy(gapped, 1 << 20), 2, 1,
       22 + 458752 + 1000 + 458752},
      {"no chunks", followedBy(HeaderBytes({.across = 0, .down = 3}), 1 << 20), 0, 3, 22},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(kLevel, c.file);
    log.Clear();
    ChunkLoader loader;
    ASSERT_EQ(loader.OpenLevel(kLevel), 0);
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(std::filesystem::file_size("ActiveChunks.pcf"), c.needed);
    EXPECT_EQ(loader.GetChunksAcross(), c.across);
    EXPECT_EQ(loader.GetChunksDown(), c.down);
    if (c.across > 0) {
      MoveTo(loader, 0, 0);
      EXPECT_EQ(loader.TestCell(1, 0), 1);
      EXPECT_EQ(loader.TestCell(7, 0), 0);  // (x + y) % 7 == 0 is clipped
    }
  }
}

// The free space is asked before anything is written; records that would leave less than the
// margin free are refused with no temporary file, and the level stays 0 x 0.
TEST_F(ChunkLoaderTest, OpenLevel_RecordsTheDiskCannotHoldAreRefusedBeforeAnythingIsWritten) {
  constexpr int64_t kOneChunk = 22 + 458752;
  const struct {
    const char* name;
    Bytes file;
    int64_t free;  // -2: the working directory's own
    bool opens;
  } cases[] = {
      {"just fits", LevelWriter(1, 1).Compressed(Paint, 1),
       kOneChunk + ChunkLoader::kFreeSpaceMargin, true},
      {"a byte short", LevelWriter(1, 1).Compressed(Paint, 1),
       kOneChunk + ChunkLoader::kFreeSpaceMargin - 1, false},
      {"less free than the margin", LevelWriter(1, 1).Compressed(Paint, 1), 1000, false},
      {"free space unknown", LevelWriter(1, 1).Compressed(Paint, 1), -1, true},
      {"petabytes promised by a header alone",
       Compress(HeaderBytes({.spacing = INT32_MAX, .across = 1024, .down = 1024})), -2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(kLevel, c.file);
    // A file left from an earlier run is no obstacle and goes either way.
    WriteFile("ActiveChunks.pcf", Bytes(1000, 0));
    log.Clear();
    int asked = 0;
    bool fileWhenAsked = false;
    ChunkLoader loader(c.free == -2 ? ChunkLoader::FreeSpaceQuery{} : [&] {
      ++asked;
      fileWhenAsked = dir.Exists("ActiveChunks.pcf");
      return c.free;
    });
    EXPECT_EQ(loader.OpenLevel(kLevel), c.opens ? 0 : -1);
    EXPECT_EQ(asked, c.free == -2 ? 0 : 1);
    EXPECT_FALSE(fileWhenAsked);
    EXPECT_EQ(loader.IsOpen(), c.opens);
    if (c.opens) {
      EXPECT_EQ(log.Text(), "");
      EXPECT_EQ(std::filesystem::file_size("ActiveChunks.pcf"), static_cast<uint64_t>(kOneChunk));
      continue;
    }
    EXPECT_EQ(log.Text(),
              "Warning:  Couldn't open level level.plf, its chunk records need more room than "
              "the disk has\n");
    EXPECT_FALSE(dir.Exists("ActiveChunks.pcf"));
    EXPECT_EQ(loader.GetChunksAcross(), 0);
    EXPECT_EQ(loader.GetChunksDown(), 0);
    MoveTo(loader, 0, 0);
    EXPECT_EQ(loader.TestCell(10, 10), 0);
  }
}

TEST_F(ChunkLoaderTest, SetActiveArea_FollowsThePlayerAndStopsTwoChunksFromTheEdges) {
  const struct {
    int32_t across, down, column, row;
    int32_t left, right, top, bottom;
  } cases[] = {
      {3, 3, 0, 0, 0, 2, 0, 2},
      {3, 3, 2, 1, 0, 2, 0, 2},
      {3, 3, -50, 900, 0, 2, 0, 2},
      {10, 1, 9, 0, 5, 9, 0, 0},
      {10, 1, 0, 0, 0, 4, 0, 0},
      {10, 1, 5, 0, 3, 7, 0, 0},
      {10, 1, 7, 0, 5, 9, 0, 0},
      {1, 2, 0, 1, 0, 0, 0, 1},
      {4, 4, 3, 0, 0, 3, 0, 3},
      {5, 5, 4, 4, 0, 4, 0, 4},
      {6, 6, 3, 3, 1, 5, 1, 5},
      {6, 6, 2, 2, 0, 4, 0, 4},
      {8, 8, INT32_MIN, INT32_MAX, 0, 4, 3, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.across << "x" << c.down << " at " << c.column << "," << c.row);
    ChunkLoader loader;
    ASSERT_EQ(OpenSparse(loader, c.across, c.down), 0);
    MoveTo(loader, c.column, c.row);
    ExpectLoaded(loader, c.left, c.right, c.top, c.bottom);
  }
}

TEST_F(ChunkLoaderTest, Update_DeletesChunksThatLeaveTheBlockAndLoadsThoseThatEnter) {
  ChunkLoader loader;
  ASSERT_EQ(OpenSparse(loader, 8, 3), 0);
  MoveTo(loader, 2, 1);
  const Chunk* kept = loader.GetChunkAt(4 * 256, 0);
  MoveTo(loader, 4, 1);
  ExpectLoaded(loader, 2, 6, 0, 2);
  EXPECT_EQ(loader.GetChunkAt(4 * 256, 0), kept);
  EXPECT_TRUE(loader.GetChunkAt(6 * 256, 0)->IsReady());
}

TEST_F(ChunkLoaderTest, RecordOffsetsPastTwoGigabytesAreReached) {
  // 100 x 100 chunks: the last record starts near 4.6 GB, far past a 32-bit offset.
  ChunkLoader loader;
  ASSERT_EQ(OpenSparse(loader, 100, 100), 0);
  EXPECT_EQ(loader.GetRecordOffset(99, 99), 22 + int64_t{9999} * 458752);
  ChunkRecord record;
  Paint(99, 99, record);
  ASSERT_EQ(fseeko(loader.GetFile(), loader.GetRecordOffset(99, 99), SEEK_SET), 0);
  std::fwrite(record.Data().data(), 1, kRecordBytes, loader.GetFile());
  std::fflush(loader.GetFile());

  MoveTo(loader, 99, 99);
  const int32_t x = 99 * 256, y = 99 * 256;
  EXPECT_EQ(loader.TestCell(x + 1, y + 1), 1);
  EXPECT_EQ(loader.TestCell(x + 3, y + 4), 0);
  EXPECT_EQ(PixelAt(loader.GetChunkAt(x, y)->GetLowerImage().GetBitmap(), 5, 20),
            LowerColourOf(99, 99, 5, 20));
}

TEST_F(ChunkLoaderTest, TestCell_AnswersTheClipValuesOfLoadedChunksOnly) {
  WriteLevel(3, 3);
  ChunkLoader loader;
  ASSERT_EQ(loader.OpenLevel(kLevel), 0);
  MoveTo(loader, 1, 1);
  for (int32_t column = 0; column < 3; ++column) {
    for (int32_t row = 0; row < 3; ++row) {
      for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {3, 4}, {255, 1}, {255, 0}, {200, 13}}) {
        EXPECT_EQ(loader.TestCell(column * 256 + x, row * 256 + y),
                  ClipOf(column, row, x, y) == 0 ? 1 : 0)
            << column << "," << row << " " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(log.Text(), "");

  const struct {
    int32_t x, y;
    const char* line;
  } misses[] = {
      {-1, 10, "Failed -1x0\n"}, {10, -1, "Failed 0x-1\n"}, {-300, -1, "Failed -2x-1\n"},
      {768, 0, "Failed 3x0\n"},  {0, 768, "Failed 0x3\n"},  {INT32_MIN, 0, "Failed -8388608x0\n"},
  };
  for (const auto& miss : misses) {
    log.Clear();
    EXPECT_EQ(loader.TestCell(miss.x, miss.y), 0);
    EXPECT_EQ(log.Text(), miss.line);
  }
}

TEST_F(ChunkLoaderTest, Chunk_IsFreeOutsideTheChunkLogs) {
  Chunk chunk;
  for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {256, 0}, {0, 256}}) {
    log.Clear();
    EXPECT_EQ(chunk.IsFree(x, y), 0);
    EXPECT_EQ(log.Text(), "Clip was out of the Chunk's range\n");
  }
  EXPECT_EQ(chunk.IsFree(255, 255), 1);
}

TEST_F(ChunkLoaderTest, Chunk_LayersSplitBetweenTheImagesAndTheLowerOneIsClearedFirst) {
  const Pixel pixels[] = {
      {.r = 1, .g = 2, .b = 3, .a = 4, .layer = -1},
      {.r = 5, .g = 6, .b = 7, .a = 8, .layer = 0},
      {.r = 9, .g = 10, .b = 11, .a = 255, .layer = 127},
      {.r = 12, .g = 13, .b = 14, .a = 255, .clip = 3, .layer = -128},
  };
  WriteLevel(Header{.across = 1, .down = 1}, [&](int32_t, int32_t, ChunkRecord& record) {
    for (int32_t x = 0; x < 4; ++x) record.Set(x, 7, pixels[x]);
  });
  ChunkLoader loader;
  ASSERT_EQ(loader.OpenLevel(kLevel), 0);
  Chunk chunk(&loader);
  // Whatever the new bitmaps held must not show.
  for (const ImageObject* image : {&chunk.GetLowerImage(), &chunk.GetUpperImage()}) {
    al_set_target_bitmap(image->GetBitmap());
    al_clear_to_color(al_map_rgba(90, 90, 90, 90));
  }
  loader.LoadChunk(&chunk, 0, 0);
  ASSERT_TRUE(chunk.IsReady());
  ALLEGRO_BITMAP* lower = chunk.GetLowerImage().GetBitmap();
  ALLEGRO_BITMAP* upper = chunk.GetUpperImage().GetBitmap();
  for (int32_t x = 0; x < 4; ++x) {
    SCOPED_TRACE(x);
    const Rgba colour{pixels[x].r, pixels[x].g, pixels[x].b, pixels[x].a};
    const bool above = pixels[x].layer < 0;
    EXPECT_EQ(PixelAt(lower, x, 7), above ? Rgba{} : colour);
    EXPECT_EQ(PixelAt(upper, x, 7), above ? colour : Rgba{});
  }
  // No overlay marks the clipped pixel, and untouched pixels are transparent in both.
  EXPECT_EQ(PixelAt(lower, 200, 100), Rgba{});
  EXPECT_EQ(PixelAt(upper, 200, 100), Rgba{});
}

TEST_F(ChunkLoaderTest, SpacingLargerThanARecordLeavesTheRestUnread) {
  WriteLevel(Header{.spacing = 458752 + 1001, .across = 2, .down = 2});
  ChunkLoader loader;
  ASSERT_EQ(loader.OpenLevel(kLevel), 0);
  MoveTo(loader, 0, 0);
  for (int32_t column = 0; column < 2; ++column) {
    for (int32_t row = 0; row < 2; ++row) {
      const Chunk* chunk = loader.GetChunkAt(column * 256, row * 256);
      EXPECT_EQ(PixelAt(chunk->GetLowerImage().GetBitmap(), 255, 255),
                LowerColourOf(column, row, 255, 255));
      EXPECT_EQ(loader.TestCell(column * 256 + 7, row * 256), 0);
      EXPECT_EQ(loader.TestCell(column * 256 + 8, row * 256), 1);
    }
  }
}

TEST_F(ChunkLoaderTest, Draw_PlacesReadyChunksAgainstTheViewCorner) {
  WriteLevel(2, 1);
  ChunkLoader loader;
  ASSERT_EQ(loader.OpenLevel(kLevel), 0);
  MoveTo(loader, 0, 0);
  ALLEGRO_BITMAP* target = al_create_bitmap(300, 200);
  for (const bool upperPass : {false, true}) {
    SCOPED_TRACE(upperPass);
    al_set_target_bitmap(target);
    al_clear_to_color(al_map_rgba(0, 0, 0, 255));
    // View corner (200, 10): chunk 1's pixel (0, y) lands at (56, y - 10).
    upperPass ? loader.DrawUpper(200, 10) : loader.DrawLower(200, 10);
    const Rgba chunk0 = ColourOf(0, 0, 250), chunk1 = ColourOf(1, 0, 0);
    const Rgba black{0, 0, 0, 255};
    // Row 5 of the view is pixel row 15 (upper layer), row 100 is 110 (lower layer).
    EXPECT_EQ(PixelAt(target, 50, 5), upperPass ? chunk0 : black);
    EXPECT_EQ(PixelAt(target, 56, 5), upperPass ? chunk1 : black);
    EXPECT_EQ(PixelAt(target, 56, 100), upperPass ? black : chunk1);
    EXPECT_EQ(PixelAt(target, 55, 100), upperPass ? black : ColourOf(0, 0, 255));
  }
  al_destroy_bitmap(target);
}

TEST_F(ChunkLoaderTest, LoadChunk_RefusesWhatItCannotRead) {
  ChunkLoader closed;
  Chunk chunk;
  closed.LoadChunk(nullptr, 0, 0);
  closed.LoadChunk(&chunk, 0, 0);
  ChunkLoader loader;
  ASSERT_EQ(OpenSparse(loader, 2, 2), 0);
  for (const auto& [column, row] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}}) {
    loader.LoadChunk(&chunk, column, row);
  }
  EXPECT_EQ(log.Text(),
            "LoadChunk:  Failed, passed invalid Chunk to read into\n"
            "LoadChunk:  Failed, file is not ready yet\n"
            "LoadChunk:  Failed, position out of range\n"
            "LoadChunk:  Failed, position out of range\n"
            "LoadChunk:  Failed, position out of range\n"
            "LoadChunk:  Failed, position out of range\n");
  EXPECT_FALSE(chunk.IsReady());
  LoadChunkPart(nullptr, 0, 0);
  WriteChunk();
  ProcessBitmaps();
  EXPECT_TRUE(
      log.Contains("Load Chunk Part:  Failed, invalid Chunk Address\n"
                   "Do not call WriteChunk from this program...\n"
                   "Do not call ProcessBitmaps from this program...\n"));
}

TEST_F(ChunkLoaderTest, LevelWriterToolTurnsPicturesIntoALevel) {
  al_init_image_addon();
  // A 300 x 20 picture takes two chunks across and one down.
  const auto save = [&](const char* name, int w, int h, Rgba colour) {
    ALLEGRO_BITMAP* picture = FilledBitmap(w, h, colour);
    ASSERT_TRUE(al_save_bitmap((dir.Path() / name).c_str(), picture));
    al_destroy_bitmap(picture);
  };
  save("colours.png", 300, 20, {40, 50, 60, 255});
  {
    ALLEGRO_BITMAP* clip = FilledBitmap(260, 1, {});
    al_set_target_bitmap(clip);
    al_put_pixel(257, 0, al_map_rgba(0, 0, 0, 255));
    ASSERT_TRUE(al_save_bitmap((dir.Path() / "clip.png").c_str(), clip));
    al_destroy_bitmap(clip);
  }
  save("upper.png", 2, 2, {200, 0, 0, 255});
  const std::string command =
      std::string(QM_LEVELWRITER_TOOL) + " level.plf colours.png clip.png upper.png";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  ChunkLoader loader;
  ASSERT_EQ(loader.OpenLevel(kLevel), 0);
  EXPECT_EQ(loader.GetChunksAcross(), 2);
  EXPECT_EQ(loader.GetChunksDown(), 1);
  MoveTo(loader, 0, 0);
  EXPECT_EQ(loader.TestCell(257, 0), 0);
  EXPECT_EQ(loader.TestCell(256, 0), 1);
  EXPECT_EQ(loader.TestCell(299, 100), 1);
  const Chunk* first = loader.GetChunkAt(0, 0);
  const Chunk* second = loader.GetChunkAt(256, 0);
  EXPECT_EQ(PixelAt(first->GetUpperImage().GetBitmap(), 1, 1), (Rgba{200, 0, 0, 255}));
  EXPECT_EQ(PixelAt(first->GetLowerImage().GetBitmap(), 1, 1), Rgba{});
  EXPECT_EQ(PixelAt(first->GetLowerImage().GetBitmap(), 2, 19), (Rgba{40, 50, 60, 255}));
  EXPECT_EQ(PixelAt(second->GetLowerImage().GetBitmap(), 43, 19), (Rgba{40, 50, 60, 255}));
  // Past the picture: transparent in both images.
  EXPECT_EQ(PixelAt(second->GetLowerImage().GetBitmap(), 44, 19), Rgba{});
  EXPECT_EQ(PixelAt(second->GetUpperImage().GetBitmap(), 44, 19), Rgba{});
  EXPECT_EQ(PixelAt(first->GetLowerImage().GetBitmap(), 2, 20), Rgba{});
}

// The two roads: whole reads around the player, parts through the deferred-call list beyond.
class ChunkRoadsTest : public ChunkLoaderTest {
 protected:
  ChunkRoadsTest() { gDeferredCallList = &calls; }
  ~ChunkRoadsTest() override { gDeferredCallList = nullptr; }

  // The 6 x 6 level, opened with the player in chunk (column, row).
  void OpenSixBySix(ChunkLoader& loader, int32_t column, int32_t row) {
    WriteLevel(6, 6);
    ASSERT_EQ(loader.OpenLevel(kLevel), 0);
    MoveTo(loader, column, row);
  }
  void RunCalls(int32_t count) {
    for (int32_t n = 0; n < count; ++n) calls.Run(0.0, true);
  }
  void RunAllCalls() {
    while (calls.GetCount() > 0) calls.Run(0.0, true);
  }
  // How many loaded chunks are not ready, and how many parts they have left.
  static int32_t NotReady(const ChunkLoader& loader) { return Count(loader, false); }
  static int32_t RemainingParts(const ChunkLoader& loader) { return Count(loader, true); }
  static int32_t Count(const ChunkLoader& loader, bool parts) {
    int32_t count = 0;
    for (int32_t i = 0; i < loader.GetChunksAcross(); ++i) {
      for (int32_t j = 0; j < loader.GetChunksDown(); ++j) {
        const Chunk* chunk = loader.GetChunkAt(i * 256, j * 256);
        if (chunk == nullptr || chunk->IsReady()) continue;
        count += parts ? Chunk::kPartCount - chunk->GetNextPart() : 1;
      }
    }
    return count;
  }
  // Every loaded chunk is ready and answers its own clip values.
  static void ExpectAllReadyAndRight(ChunkLoader& loader) {
    for (int32_t i = 0; i < loader.GetChunksAcross(); ++i) {
      for (int32_t j = 0; j < loader.GetChunksDown(); ++j) {
        const Chunk* chunk = loader.GetChunkAt(i * 256, j * 256);
        if (chunk == nullptr) continue;
        ASSERT_TRUE(chunk->IsReady()) << i << "," << j;
        EXPECT_EQ(loader.TestCell(i * 256 + 3, j * 256 + 4), 0) << i << "," << j;
        EXPECT_EQ(loader.TestCell(i * 256 + 3, j * 256 + 5), 1) << i << "," << j;
        EXPECT_EQ(PixelAt(chunk->GetLowerImage().GetBitmap(), 130, 200),
                  LowerColourOf(i, j, 130, 200));
        EXPECT_EQ(PixelAt(chunk->GetUpperImage().GetBitmap(), 190, 3), ColourOf(i, j, 190));
      }
    }
  }

  DeferredCallList calls;
};

TEST_F(ChunkRoadsTest, InnerBlockIsReadWholeAndTheOuterRingInParts) {
  ChunkLoader loader;
  OpenSixBySix(loader, 2, 2);
  EXPECT_EQ(NotReady(loader), 16);
  EXPECT_EQ(calls.GetCount(), 16 * Chunk::kPartCount);
  for (int32_t i = 1; i <= 3; ++i) {
    for (int32_t j = 1; j <= 3; ++j) EXPECT_TRUE(loader.GetChunkAt(i * 256, j * 256)->IsReady());
  }
  // A chunk still loading answers blocked without a line, and draws nothing.
  EXPECT_EQ(loader.TestCell(4 * 256 + 3, 5), 0);
  EXPECT_EQ(loader.TestCell(0, 4 * 256 + 5), 0);
  EXPECT_EQ(log.Text(), "");
  ALLEGRO_BITMAP* target = al_create_bitmap(256, 256);
  al_set_target_bitmap(target);
  al_clear_to_color(al_map_rgba(0, 0, 0, 0));
  loader.DrawLower(4 * 256, 0);
  EXPECT_EQ(PixelAt(target, 100, 100), Rgba{});
  al_destroy_bitmap(target);

  RunAllCalls();
  EXPECT_EQ(NotReady(loader), 0);
  ExpectAllReadyAndRight(loader);
}

TEST_F(ChunkRoadsTest, OuterChunkBecomingInnerFinishesAtOnceAndLeftChunksAreCancelled) {
  ChunkLoader loader;
  OpenSixBySix(loader, 2, 2);
  // Some parts have run: one outer chunk is half read when the player moves on.
  RunCalls(3);
  MoveTo(loader, 3, 3);
  ExpectLoaded(loader, 1, 5, 1, 5);
  // (4, 2 ... 4) and (2 ... 3, 4) came into the inner block from the outer ring and are ready; of
  // the new outer ring, the 9 chunks never loaded and (4, 1) and (1, 4) are still waiting.
  for (int32_t i = 2; i <= 4; ++i) {
    for (int32_t j = 2; j <= 4; ++j) EXPECT_TRUE(loader.GetChunkAt(i * 256, j * 256)->IsReady());
  }
  EXPECT_EQ(NotReady(loader), 11);
  EXPECT_EQ(calls.GetCount(), RemainingParts(loader));
  RunAllCalls();
  ExpectAllReadyAndRight(loader);
}

TEST_F(ChunkRoadsTest, PartsOfChunksLeavingTheBlockAreCancelled) {
  ChunkLoader loader;
  OpenSixBySix(loader, 0, 0);
  RunCalls(1);  // the first chunk queued, (0, 2), is part read
  MoveTo(loader, 5, 5);
  ExpectLoaded(loader, 1, 5, 1, 5);
  EXPECT_EQ(calls.GetCount(), RemainingParts(loader));
  // Run under the sanitizers, a part left behind for a deleted chunk is a use after free.
  RunAllCalls();
  ExpectAllReadyAndRight(loader);

  MoveTo(loader, 0, 0);
  ASSERT_GT(calls.GetCount(), 0);
  loader.ClearChunks();
  EXPECT_EQ(calls.GetCount(), 0);
}

TEST_F(ChunkRoadsTest, LoaderDestroyedWithPartsQueuedLeavesNoneBehind) {
  {
    ChunkLoader loader;
    OpenSixBySix(loader, 2, 2);
    ASSERT_EQ(calls.GetCount(), 16 * Chunk::kPartCount);
  }
  EXPECT_EQ(calls.GetCount(), 0);
  EXPECT_FALSE(dir.Exists("ActiveChunks.pcf"));
}

TEST_F(ChunkRoadsTest, PartsOfTwoChunksInterleavedReadWhatAWholeReadReads) {
  WriteLevel(2, 1);
  ChunkLoader loader;
  ASSERT_EQ(loader.OpenLevel(kLevel), 0);
  Chunk a(&loader), b(&loader), wholeA(&loader), wholeB(&loader);
  ASSERT_TRUE(a.BeginLoad(loader.GetRecordOffset(0, 0)));
  ASSERT_TRUE(b.BeginLoad(loader.GetRecordOffset(1, 0)));
  calls.Clear();
  for (int32_t part = 0; part < Chunk::kPartCount; ++part) {
    EXPECT_FALSE(a.IsReady());
    ASSERT_TRUE(a.TakeNextPart());
    ASSERT_TRUE(b.TakeNextPart());
  }
  EXPECT_TRUE(a.IsReady() && b.IsReady());
  loader.LoadChunk(&wholeA, 0, 0);
  loader.LoadChunk(&wholeB, 1, 0);
  for (const auto& [parts, whole] : {std::pair{&a, &wholeA}, {&b, &wholeB}}) {
    for (int32_t x = 0; x < 256; x += 5) {
      for (int32_t y = 0; y < 256; y += 3) {
        ASSERT_EQ(parts->IsFree(x, y), whole->IsFree(x, y)) << x << "," << y;
        ASSERT_EQ(PixelAt(parts->GetLowerImage().GetBitmap(), x, y),
                  PixelAt(whole->GetLowerImage().GetBitmap(), x, y));
        ASSERT_EQ(PixelAt(parts->GetUpperImage().GetBitmap(), x, y),
                  PixelAt(whole->GetUpperImage().GetBitmap(), x, y));
      }
    }
  }
  // Parts past the last change nothing; a chunk without a file takes none.
  EXPECT_TRUE(a.TakeNextPart());
  EXPECT_EQ(a.GetNextPart(), Chunk::kPartCount);
  Chunk orphan;
  EXPECT_FALSE(orphan.TakeNextPart());
  EXPECT_EQ(orphan.GetNextPart(), 0);
}

TEST_F(ChunkRoadsTest, WithoutADeferredCallListEveryChunkIsReadWhole) {
  gDeferredCallList = nullptr;
  ChunkLoader loader;
  OpenSixBySix(loader, 2, 2);
  EXPECT_EQ(NotReady(loader), 0);
  ExpectAllReadyAndRight(loader);
  EXPECT_EQ(calls.GetCount(), 0);
}

}  // namespace
