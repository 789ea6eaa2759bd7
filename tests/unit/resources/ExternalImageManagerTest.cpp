#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ImageContainerWriter.h"
#include "core/Globals.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"
#include "support/AllegroHeadless.h"
#include "support/LuaFixture.h"

namespace {

using namespace image_container;

constexpr const char* kTemporary = "ActiveImageFile.tmp";

// Every pixel different, so that a swapped axis or component shows.
std::vector<Colour> Distinct(int32_t count, uint8_t salt = 0) {
  std::vector<Colour> out;
  for (int32_t i = 0; i < count; ++i) {
    out.push_back({static_cast<uint8_t>(10 + i), static_cast<uint8_t>(100 + i + salt),
                   static_cast<uint8_t>(200 - i), static_cast<uint8_t>(255 - 3 * i)});
  }
  return out;
}

// A container of one 1 x 1 image named "a".
ContainerWriter OneImage() {
  ContainerWriter writer;
  writer.Add("a", ImageRecordBytes(1, 1, Distinct(1)));
  return writer;
}

using Image = std::unique_ptr<ImageObject>;

class ExternalImageManagerTest : public LuaFixture {
 protected:
  // The manager registers its functions on the fixture's Lua state as it is made.
  ExternalImageManagerTest() {
    StartAllegroHeadless();
    gExternalImageManager = &manager;
  }
  ~ExternalImageManagerTest() override {
    manager.CloseFile();
    al_set_target_bitmap(nullptr);
  }

  static std::string Write(const std::string& path, const Bytes& bytes) {
    ContainerWriter::WriteFile(path, bytes);
    return path;
  }
  // Opens the container in the form asked for.
  void Open(const ContainerWriter& writer, bool compressed) {
    if (compressed) {
      manager.OpenFile(Write("images.sif", writer.Compressed()).c_str());
    } else {
      manager.OpenFileUncompressed(Write("images.sif", writer.Plain()).c_str());
    }
  }

  Image Extract(const char* name) { return Image(manager.GetBitmapFromActiveFile(name)); }

  // Expects the image to hold the row-major pixels, pixel for pixel.
  static void ExpectPixels(const ImageObject& image, int32_t w, int32_t h,
                           const std::vector<Colour>& pixels, const std::string& what) {
    ASSERT_EQ(image.GetWidth(), w) << what;
    ASSERT_EQ(image.GetHeight(), h) << what;
    ASSERT_NE(image.GetBitmap(), nullptr) << what;
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        const Colour& c = pixels[static_cast<size_t>(y * w + x)];
        EXPECT_EQ(PixelAt(image.GetBitmap(), x, y), (Rgba{c.r, c.g, c.b, c.a}))
            << what << " at " << x << ", " << y;
      }
    }
  }

  ExternalImageManager manager;
};

TEST_F(ExternalImageManagerTest, ImagesAndPalettesRoundTripPixelForPixelInBothForms) {
  const std::vector<Colour> wide = Distinct(3 * 2);
  const std::vector<Colour> cropped = Distinct(4 * 5, 7);
  const std::vector<Colour> flagTwo = Distinct(2 * 3, 50);
  const std::vector<Colour> colours = Distinct(2 * 3, 90);
  ContainerWriter writer;
  writer.Add("wide", ImageRecordBytes(3, 2, wide));
  writer.Add("cropped", CroppedImageRecordBytes(20, 20, 2, 3, 4, 5, cropped));
  writer.Add("flag two", ImageRecordBytes(2, 3, flagTwo, 2));
  writer.Add("palette", PaletteRecordBytes(2, 3, colours));
  // 255, 0, 0, 255 is opaque red both as an image pixel (R G B A) and as a colour (A B G R).
  writer.Add("red pixel", {1, 0, 0, 0, 1, 0, 0, 0, 0, 255, 0, 0, 255});
  writer.Add("red colour", {1, 0, 0, 0, 1, 0, 0, 0, 255, 0, 0, 255});

  for (bool compressed : {false, true}) {
    const std::string form = compressed ? "compressed " : "plain ";
    Open(writer, compressed);
    ASSERT_EQ(manager.GetEntryCount(), 6) << form;

    const Image a = Extract("wide");
    ASSERT_TRUE(a) << form;
    ExpectPixels(*a, 3, 2, wide, form + "uncropped");
    EXPECT_EQ(a->GetOffsetX(), 0);
    EXPECT_EQ(a->GetOffsetY(), 0);

    const Image b = Extract("cropped");
    ASSERT_TRUE(b) << form;
    ExpectPixels(*b, 4, 5, cropped, form + "cropped");
    EXPECT_EQ(b->GetOffsetX(), 2);
    EXPECT_EQ(b->GetOffsetY(), 3);
    EXPECT_EQ(al_get_target_bitmap(), b->GetBitmap()) << "the new image stays the target";

    const Image c = Extract("flag two");
    ASSERT_TRUE(c) << form;
    ExpectPixels(*c, 2, 3, flagTwo, form + "crop flag 2 reads as uncropped");
    EXPECT_EQ(c->GetOffsetX(), 0);

    const std::unique_ptr<PaletteSet> palette(manager.GetPaletteFromActiveFile("palette"));
    ASSERT_TRUE(palette) << form;
    ASSERT_EQ(palette->GetPaletteCount(), 2);
    ASSERT_EQ(palette->GetColourCount(), 3);
    for (int32_t i = 0; i < 6; ++i) {
      const Colour& k = colours[static_cast<size_t>(i)];
      EXPECT_TRUE(ColorsEqual(palette->GetColour(i / 3, i % 3), al_map_rgba(k.r, k.g, k.b, k.a)))
          << form << "palette " << i / 3 << " colour " << i % 3;
    }

    const Image red = Extract("red pixel");
    ASSERT_TRUE(red);
    EXPECT_EQ(PixelAt(red->GetBitmap(), 0, 0), (Rgba{255, 0, 0, 255}));
    const std::unique_ptr<PaletteSet> redSet(manager.GetPaletteFromActiveFile("red colour"));
    ASSERT_TRUE(redSet);
    EXPECT_TRUE(ColorsEqual(redSet->GetColour(0, 0), al_map_rgba(255, 0, 0, 255)));
    EXPECT_EQ(log.Text(), "") << form;
    manager.CloseFile();
  }
}

TEST_F(ExternalImageManagerTest, LargeImageInAnyBitmapFormatKeepsEveryPixel) {
  // Larger than one band of columns, odd sizes, in each 32-bit format the lock may meet.
  const int32_t w = 37, h = 29;
  std::vector<Colour> pixels = Distinct(w * h);
  ContainerWriter writer;
  writer.Add("big", ImageRecordBytes(w, h, pixels));
  Open(writer, false);
  for (int format : {ALLEGRO_PIXEL_FORMAT_ANY_WITH_ALPHA, ALLEGRO_PIXEL_FORMAT_ARGB_8888,
                     ALLEGRO_PIXEL_FORMAT_ABGR_8888, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE,
                     ALLEGRO_PIXEL_FORMAT_RGBA_8888, ALLEGRO_PIXEL_FORMAT_RGBA_4444}) {
    al_set_new_bitmap_format(format);
    const Image image = Extract("big");
    ASSERT_TRUE(image);
    if (format == ALLEGRO_PIXEL_FORMAT_RGBA_4444) {
      // Only the shape can be compared once the components are cut to 4 bits.
      EXPECT_EQ(image->GetWidth(), w);
      continue;
    }
    ExpectPixels(*image, w, h, pixels, "format " + std::to_string(format));
  }
  al_set_new_bitmap_format(ALLEGRO_PIXEL_FORMAT_ANY_WITH_ALPHA);
}

TEST_F(ExternalImageManagerTest, TemporaryFileExistsOnlyWhileACompressedContainerIsOpen) {
  const ContainerWriter writer = OneImage();
  Write("images.z", writer.Compressed());
  Write("images.p", writer.Plain());

  manager.OpenFile("images.z");
  EXPECT_TRUE(dir.Exists(kTemporary));
  manager.CloseFile();
  EXPECT_FALSE(dir.Exists(kTemporary));

  manager.OpenFileUncompressed("images.p");
  EXPECT_FALSE(dir.Exists(kTemporary));

  // Opening while one is open closes the first, its temporary file included.
  manager.OpenFile("images.z");
  EXPECT_TRUE(dir.Exists(kTemporary));
  manager.OpenFileUncompressed("images.p");
  EXPECT_FALSE(dir.Exists(kTemporary));
  EXPECT_EQ(manager.GetEntryCount(), 1);

  // A source that does not open leaves nothing behind.
  manager.OpenFile("missing.z");
  EXPECT_FALSE(dir.Exists(kTemporary));
  EXPECT_FALSE(manager.IsOpen());

  // Nor does a compressed container whose directory does not fit.
  Write("bad.z", ContainerWriter::Compress(Bytes(17 + 2, 0)));
  manager.OpenFile("bad.z");
  EXPECT_FALSE(dir.Exists(kTemporary));
  EXPECT_FALSE(manager.IsOpen());
}

// Making and removing the temporary file are file writes: a kept script of that name that ran
// earlier in the tick does not run again from what the file held before.
TEST_F(ExternalImageManagerTest, AScriptAtTheTemporaryFileNameIsReadAgainInTheSameTick) {
  Write("images.z", OneImage().Compressed());
  Write("images.p", OneImage().Plain());
  // The first makes the file, the second removes it.
  for (const char* open : {"EIM_OpenFile('images.z')", "EIM_OpenFileUncompressed('images.p')"}) {
    std::filesystem::last_write_time(
        dir.Write(kTemporary, "value = 1"),
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    ++gTickCount;
    ASSERT_TRUE(lua.ExecuteScript(kTemporary, 0));
    EXPECT_EQ(Number("value"), 1);
    Run(std::string(open) + " value = nil LM_ExecuteScript('" + kTemporary + "')");
    EXPECT_TRUE(IsNil("value")) << open;
  }
}

TEST_F(ExternalImageManagerTest, FailedOpenLeavesNoDirectoryFromBefore) {
  const ContainerWriter writer = OneImage();
  manager.OpenFileUncompressed(Write("good.sif", writer.Plain()).c_str());
  ASSERT_EQ(manager.GetEntryCount(), 1);

  manager.OpenFileUncompressed("missing.sif");
  EXPECT_FALSE(manager.IsOpen());
  EXPECT_EQ(manager.GetEntryCount(), 0);
  EXPECT_FALSE(Extract("a"));
  EXPECT_EQ(log.Text(),
            "ExternalImageManager::GetBitmapFromActiveFile - Warning, no file is open\n")
      << "a container that does not open says nothing itself";
}

// The temporary file cannot be made (here a folder holds its name): the open stops with its line,
// the earlier container closed and nothing removed that the manager did not make.
TEST_F(ExternalImageManagerTest, TemporaryFileThatCannotBeMadeLeavesTheManagerClosed) {
  const ContainerWriter writer = OneImage();
  manager.OpenFileUncompressed(Write("good.sif", writer.Plain()).c_str());
  Write("images.z", writer.Compressed());
  std::filesystem::create_directory(kTemporary);
  manager.OpenFile("images.z");
  EXPECT_FALSE(manager.IsOpen());
  EXPECT_EQ(manager.GetEntryCount(), 0);
  EXPECT_EQ(log.Text(),
            "ExternalImageManager::OpenFile - Warning, could not create ActiveImageFile.tmp\n");
  manager.CloseFile();
  EXPECT_TRUE(std::filesystem::is_directory(kTemporary));
}

// A FIFO at the temporary file's name would block the open, a link would have the inflated bytes
// written over its target: both are replaced by the manager's own file.
TEST_F(ExternalImageManagerTest, TemporaryFileNeverFollowsWhatStandsAtItsName) {
  Write("images.z", OneImage().Compressed());
  Write("victim", {'k', 'e', 'e', 'p'});
  ASSERT_EQ(mkfifo(kTemporary, 0600), 0);
  manager.OpenFile("images.z");
  EXPECT_EQ(manager.GetEntryCount(), 1);
  manager.CloseFile();

  std::filesystem::create_symlink("victim", kTemporary);
  manager.OpenFile("images.z");
  EXPECT_EQ(manager.GetEntryCount(), 1);
  EXPECT_TRUE(Extract("a"));
  manager.CloseFile();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(kTemporary)));
  EXPECT_EQ(std::filesystem::file_size("victim"), 4u);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(ExternalImageManagerTest, PlainContainerOpensReadOnly) {
  const ContainerWriter writer = OneImage();
  const std::string path = Write("readonly.sif", writer.Plain());
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  manager.OpenFileUncompressed(path.c_str());
  ASSERT_TRUE(manager.IsOpen());

  // The container's descriptor must be read-only (root could open it read-write anyway).
  int modes = -1;
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const auto target = std::filesystem::read_symlink(fd.path(), error);
    if (!error && target == dir.Path() / path) {
      modes = fcntl(std::stoi(fd.path().filename().string()), F_GETFL) & O_ACCMODE;
    }
  }
  EXPECT_EQ(modes, O_RDONLY);
  EXPECT_TRUE(Extract("a"));
}

TEST_F(ExternalImageManagerTest, BackslashPathsOpen) {
  const ContainerWriter writer = OneImage();
  std::filesystem::create_directory("Data");
  Write("Data/images.sif", writer.Plain());
  manager.OpenFileUncompressed("Data\\images.sif");
  EXPECT_EQ(manager.GetEntryCount(), 1);
}

TEST_F(ExternalImageManagerTest, LookupsTakeTheFirstNameAndHonourTheOffset) {
  ContainerWriter writer;
  writer.Add("twin", ImageRecordBytes(1, 1, {{1, 1, 1, 255}}));
  writer.Add("twin", ImageRecordBytes(2, 1, {{2, 2, 2, 255}, {3, 3, 3, 255}}));
  Open(writer, false);
  const uint32_t second = manager.GetEntries()[1].offset;

  const Image byName = Extract("twin");
  ASSERT_TRUE(byName);
  EXPECT_EQ(byName->GetWidth(), 1) << "the first entry of a name wins";

  const Image byOffset(manager.GetBitmapFromActiveFile(static_cast<int32_t>(second)));
  ASSERT_TRUE(byOffset);
  EXPECT_EQ(byOffset->GetWidth(), 2) << "the record at the asked offset, not the first name's";
  EXPECT_EQ(log.Text(), "");

  EXPECT_FALSE(manager.GetBitmapFromActiveFile(12345));
  EXPECT_FALSE(Extract("absent"));
  EXPECT_FALSE(manager.GetPaletteFromActiveFile("absent"));
  EXPECT_EQ(log.Text(),
            "ExternalImageManager::GetBitmapFromActiveFile(L) - Warning, 12345 not found\n"
            "ExternalImageManager::GetBitmapFromActiveFile - Warning, absent not found\n"
            "ExternalImageManager::GetBitmapFromActiveFile - Warning, absent not found\n");

  manager.CloseFile();
  log.Clear();
  EXPECT_FALSE(Extract("twin"));
  EXPECT_FALSE(manager.GetBitmapFromActiveFile(static_cast<int32_t>(second)));
  EXPECT_FALSE(manager.GetPaletteFromActiveFile("twin"));
  EXPECT_EQ(log.Text(),
            "ExternalImageManager::GetBitmapFromActiveFile - Warning, no file is open\n"
            "ExternalImageManager::GetBitmapFromActiveFile(L) - Warning, " +
                std::to_string(second) + " not found\n");
}

// A damaged directory: the open logs one line and leaves the manager closed.
TEST_F(ExternalImageManagerTest, DamagedDirectoriesLeaveTheManagerClosed) {
  ContainerWriter good;
  good.Add("first", ImageRecordBytes(1, 1, Distinct(1)));
  good.Add("second", ImageRecordBytes(1, 1, Distinct(1)));
  const Bytes whole = good.Plain();
  // Cut inside the second entry: 19 + 4 + (1 + 5 + 4) + 3 bytes.
  const Bytes cut(whole.begin(), whole.begin() + 19 + 4 + 10 + 3);

  const auto withCount = [](int32_t count) {
    ContainerWriter writer;
    writer.Add("a", ImageRecordBytes(1, 1, {{1, 2, 3, 4}}));
    writer.SetEntryCount(count);
    return writer.Plain();
  };
  struct Case {
    const char* what;
    Bytes bytes;
    const char* reason;
  };
  // Entries with empty names, as many as the count says.
  const auto emptyEntries = [](int32_t count) {
    Bytes out(19, 0);
    PutInt32(out, count);
    out.resize(out.size() + static_cast<size_t>(count) * 5, 0);
    return out;
  };
  const Case cases[] = {
      {"one entry past the largest directory", emptyEntries((1 << 20) + 1),
       "entry count 1048577 is past the largest directory (1048576)"},
      {"negative count", withCount(-1), "entry count -1 does not fit the file"},
      {"huge count", withCount(INT32_MAX), "entry count 2147483647 does not fit the file"},
      {"count past the entries", withCount(4), "entry count 4 does not fit the file"},
      {"short directory", cut, "directory ends inside entry 1 of 2"},
      {"shorter than the header", Bytes(10, 0), "no entry count"},
      {"empty file", {}, "no entry count"},
  };
  for (const Case& c : cases) {
    log.Clear();
    manager.OpenFileUncompressed(Write("bad.sif", c.bytes).c_str());
    EXPECT_EQ(log.Text(), std::string("ExternalImageManager::OpenFileUncompressed - Warning, "
                                      "bad.sif has a damaged directory: ") +
                              c.reason + "\n")
        << c.what;
    EXPECT_FALSE(manager.IsOpen()) << c.what;
    EXPECT_EQ(manager.GetEntryCount(), 0) << c.what;
  }

  // An empty directory is whole, and so is the largest.
  for (const int32_t count : {0, 1 << 20}) {
    log.Clear();
    manager.OpenFileUncompressed(Write("whole.sif", emptyEntries(count)).c_str());
    EXPECT_TRUE(manager.IsOpen());
    EXPECT_EQ(manager.GetEntryCount(), count);
    EXPECT_EQ(log.Text(), "");
  }
}

// A damaged record: the extraction logs one line and answers none; the container stays open.
// A size past the program's bounds is refused before the pixels are even looked for.
// Each record is the last of its file, where a cut shows.
TEST_F(ExternalImageManagerTest, DamagedRecordsAreRefused) {
  const auto image = [](ImageHeader header, size_t pixelBytes) {
    Bytes out = ImageHeaderBytes(header);
    out.resize(out.size() + pixelBytes, 0x55);
    return out;
  };
  const auto palette = [](int32_t p, int32_t k, size_t colourBytes) {
    Bytes out;
    PutInt32(out, p);
    PutInt32(out, k);
    out.resize(out.size() + colourBytes, 0x66);
    return out;
  };
  Bytes cutCrop = image({4, 4, 1, 0, 0, 1, 1}, 0);
  cutCrop.resize(cutCrop.size() - 2);
  struct Case {
    const char* what;
    Bytes record;  // none: the entry points past the end of the file
    bool asPalette;
    const char* reason;
  };
  const Case cases[] = {
      {"truncated pixels", image({4, 4}, 4 * 10), false, "pixels past the end (4 x 4)"},
      {"truncated cropped pixels", image({9, 9, 1, 1, 1, 3, 3}, 4 * 8), false,
       "pixels past the end (3 x 3)"},
      {"huge size", image({INT32_MAX, INT32_MAX}, 64), false,
       "size 2147483647 x 2147483647 is past the largest image (16384 x 16384)"},
      {"width past the largest", image({16385, 1}, 64), false,
       "size 16385 x 1 is past the largest image (16384 x 16384)"},
      {"cropped height past the largest", image({1, 1, 1, 0, 0, 1, 16385}, 64), false,
       "size 1 x 16385 is past the largest image (16384 x 16384)"},
      {"largest size, pixels missing", image({16384, 16384}, 64), false,
       "pixels past the end (16384 x 16384)"},
      {"negative size", image({-3, 2}, 64), false, "negative size -3 x 2"},
      {"negative crop", image({4, 4, 1, 0, 0, 2, -1}, 64), false, "negative size 2 x -1"},
      {"no pixels", image({0, 5}, 64), false, "no pixels"},
      {"crop overflows", image({4, 4, 1, INT32_MAX - 1, 0, 2, 1}, 64), false,
       "crop rectangle overflows"},
      {"cut crop rectangle", cutCrop, false, "crop rectangle past the end"},
      {"cut header", {1, 0, 0, 0, 1}, false, "record header past the end"},
      {"image offset past the end", {}, false, "record header past the end"},
      {"truncated palette", palette(2, 3, 4 * 5), true,
       "colours past the end (2 palettes of 3 colours)"},
      {"huge palette", palette(INT32_MAX, INT32_MAX, 8), true,
       "2147483647 palettes of 2147483647 colours are past the largest palette (1048576 "
       "colours)"},
      {"one colour past the largest palette", palette(1025, 1024, 8), true,
       "1025 palettes of 1024 colours are past the largest palette (1048576 colours)"},
      {"largest palette, colours missing", palette(1024, 1024, 8), true,
       "colours past the end (1024 palettes of 1024 colours)"},
      {"no palettes", palette(0, 3, 16), true, "0 palettes of 3 colours"},
      {"negative colours", palette(1, -2, 16), true, "1 palettes of -2 colours"},
      {"palette offset past the end", {}, true, "record header past the end"},
  };
  for (const Case& c : cases) {
    for (bool compressed : {false, true}) {
      ContainerWriter writer;
      writer.Add("fine", ImageRecordBytes(1, 1, Distinct(1)));
      if (c.record.empty()) {
        writer.AddEntry("bad", 1000000);
      } else {
        writer.Add("bad", c.record);
      }
      Open(writer, compressed);
      log.Clear();
      if (c.asPalette) {
        EXPECT_FALSE(manager.GetPaletteFromActiveFile("bad")) << c.what;
        EXPECT_EQ(log.Text(), std::string("ExternalImageManager::GetPaletteFromActiveFile - "
                                          "Warning, bad is damaged: ") +
                                  c.reason + "\n")
            << c.what;
      } else {
        EXPECT_FALSE(Extract("bad")) << c.what;
        EXPECT_EQ(log.Text(), std::string("ExternalImageManager::GetBitmapFromActiveFile - "
                                          "Warning, bad is damaged: ") +
                                  c.reason + "\n")
            << c.what;
      }
      EXPECT_TRUE(manager.IsOpen()) << c.what;
      EXPECT_TRUE(Extract("fine")) << c.what << ": the rest of the container still reads";
    }
  }
}

// A cut zlib stream: what was inflated is read, whole records load, the cut one is refused.
TEST_F(ExternalImageManagerTest, TruncatedStreamKeepsTheWholeRecords) {
  ContainerWriter writer;
  writer.Add("front", ImageRecordBytes(2, 2, Distinct(4)));
  // Incompressible, so that a cut stream ends inside it.
  std::vector<Colour> noise;
  uint32_t seed = 99;
  for (int i = 0; i < 64 * 64; ++i) {
    seed = seed * 1664525u + 1013904223u;
    noise.push_back({static_cast<uint8_t>(seed >> 24), static_cast<uint8_t>(seed >> 16),
                     static_cast<uint8_t>(seed >> 8), static_cast<uint8_t>(seed)});
  }
  writer.Add("back", ImageRecordBytes(64, 64, noise));
  const Bytes stream = writer.Compressed();
  manager.OpenFile(Write("cut.z", Bytes(stream.begin(), stream.end() - 2000)).c_str());
  EXPECT_EQ(log.Text(),
            "ExternalImageManager::OpenFile - Warning, cut.z did not inflate whole (zlib error "
            "-3)\n");
  ASSERT_TRUE(manager.IsOpen());
  EXPECT_TRUE(dir.Exists(kTemporary));
  log.Clear();
  const Image front = Extract("front");
  ASSERT_TRUE(front);
  ExpectPixels(*front, 2, 2, Distinct(4), "front");
  EXPECT_FALSE(Extract("back"));
  EXPECT_EQ(log.Text(),
            "ExternalImageManager::GetBitmapFromActiveFile - Warning, back is damaged: pixels past "
            "the end (64 x 64)\n");

  // Cut inside the directory: nothing is open and nothing is left behind.
  log.Clear();
  manager.OpenFile(Write("cut.z", Bytes(stream.begin(), stream.begin() + 12)).c_str());
  EXPECT_FALSE(manager.IsOpen());
  EXPECT_FALSE(dir.Exists(kTemporary));
  EXPECT_EQ(log.Lines().size(), 2u) << log.Text();
}

TEST_F(ExternalImageManagerTest, ScriptFunctions) {
  const ContainerWriter writer = OneImage();
  Write("images.z", writer.Compressed());
  Write("images.p", writer.Plain());

  ASSERT_TRUE(Run("EIM_OpenFile('images.z')"));
  EXPECT_EQ(manager.GetEntryCount(), 1);
  EXPECT_TRUE(dir.Exists(kTemporary));
  ASSERT_TRUE(Run("EIM_CloseFile('anything', 3)"));
  EXPECT_FALSE(manager.IsOpen());
  EXPECT_FALSE(dir.Exists(kTemporary));
  ASSERT_TRUE(Run("EIM_OpenFileUncompressed('images.p')"));
  EXPECT_EQ(manager.GetEntryCount(), 1);
  ASSERT_TRUE(Run("EIM_CloseFile() EIM_CloseFile()"));
  EXPECT_EQ(log.Text(), "");

  const ScriptFailure failures[] = {
      {"EIM_OpenFile()", "EIM_OpenFile:  Failed, invalid argument list\n"},
      {"EIM_OpenFile('images.z', 1)", "EIM_OpenFile:  Failed, invalid argument list\n"},
      {"EIM_OpenFile(nil)", "EIM_OpenFile:  Failed, invalid argument list\n"},
      {"EIM_OpenFile({})", "EIM_OpenFile:  Failed, invalid argument list\n"},
      {"EIM_OpenFileUncompressed()", "EIM_OpenFileUncompressed:  Failed, invalid argument list\n"},
      {"EIM_OpenFileUncompressed('a', 'b')",
       "EIM_OpenFileUncompressed:  Failed, invalid argument list\n"},
      {"EIM_OpenFileUncompressed(true)",
       "EIM_OpenFileUncompressed:  Failed, invalid argument list\n"},
  };
  ExpectFailures(failures);
  EXPECT_FALSE(manager.IsOpen());

  gExternalImageManager = nullptr;
  const ScriptFailure noManager[] = {
      {"EIM_OpenFile('images.z')", "EIM_OpenFile:  Failed, manager not created\n"},
      {"EIM_OpenFileUncompressed('images.p')",
       "EIM_OpenFileUncompressed:  Failed, manager not created\n"},
      {"EIM_CloseFile()", "EIM_CloseFile:  Failed, manager not created\n"},
  };
  ExpectFailures(noManager);
}

// The process's address space in bytes, from its own figures.
size_t AddressSpace() {
  std::ifstream status("/proc/self/status");
  std::string key;
  size_t kilobytes = 0;
  while (status >> key) {
    if (key == "VmSize:" && status >> kilobytes) break;
  }
  return kilobytes * 1024;
}

// Running out of memory in the middle of an open: the script function is named, the manager ends
// closed and the temporary file is gone. The child process gets an address-space limit that the
// directory's names cannot fit in; the sanitizers' shadow memory does not bear such a limit.
TEST_F(ExternalImageManagerTest, RunningOutOfMemoryWhileOpeningLeavesNothingHalfOpen) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "an address-space limit does not work with AddressSanitizer";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto openUnderALimit = [this] {
    // 2^17 names of 255 bytes: 33 MB of names, against 16 MB of room.
    ContainerWriter writer;
    for (int i = 0; i < (1 << 17); ++i) writer.AddEntry(std::string(255, 'x'), 0);
    Write("names.z", writer.Compressed());
    const rlimit limit{AddressSpace() + (16 << 20), RLIM_INFINITY};
    if (setrlimit(RLIMIT_AS, &limit) != 0) std::exit(2);
    const bool ran = Run("EIM_OpenFile('names.z')");
    const bool ok = ran && !manager.IsOpen() && manager.GetEntryCount() == 0 &&
                    !dir.Exists(kTemporary) &&
                    log.Text() == "EIM_OpenFile:  Failed, out of memory\n";
    if (!ok) std::fprintf(stderr, "open %d, log: %s\n", manager.IsOpen(), log.Text().c_str());
    std::exit(ok ? 0 : 1);
  };
  EXPECT_EXIT(openUnderALimit(), testing::ExitedWithCode(0), "");
}

}  // namespace
