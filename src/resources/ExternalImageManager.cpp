#include "resources/ExternalImageManager.h"

#include <allegro5/allegro.h>
#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "platform/ContentFile.h"
#include "platform/TemporaryFile.h"
#include "resources/BitmapLock.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"
#include "resources/ZLibDecompressor.h"

namespace {

constexpr const char* kTemporaryFile = "ActiveImageFile.tmp";

// The stored bytes red, green, blue, alpha, read as one little-endian word, hold red in the low
// byte: the word of ABGR_8888. Each lock format takes that word as it is, with red and blue
// swapped, or reversed.
enum class Swizzle { kSame, kSwapRedBlue, kReverse };

// Images are locked in the bitmap's own format when it is a 32-bit one with alpha, so that the
// unlock has nothing to convert; any other bitmap is locked as RGBA_8888.
ALLEGRO_PIXEL_FORMAT LockFormatFor(ALLEGRO_BITMAP* bitmap, Swizzle& swizzle) {
  constexpr bool kLittle = std::endian::native == std::endian::little;
  const auto format = static_cast<ALLEGRO_PIXEL_FORMAT>(al_get_bitmap_format(bitmap));
  switch (format) {
    case ALLEGRO_PIXEL_FORMAT_ARGB_8888:
      swizzle = Swizzle::kSwapRedBlue;
      return format;
    case ALLEGRO_PIXEL_FORMAT_ABGR_8888:
      swizzle = Swizzle::kSame;
      return format;
    case ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE:  // the bytes R G B A in memory
      swizzle = kLittle ? Swizzle::kSame : Swizzle::kReverse;
      return format;
    default:
      swizzle = Swizzle::kReverse;
      return ALLEGRO_PIXEL_FORMAT_RGBA_8888;
  }
}

template <Swizzle S>
uint32_t PixelWord(const uint8_t* in) {
  uint32_t word;
  std::memcpy(&word, in, 4);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap32(word);
  if constexpr (S == Swizzle::kSwapRedBlue) {
    word = (word & 0xFF00FF00u) | (word & 0xFFu) << 16 | (word >> 16 & 0xFFu);
  } else if constexpr (S == Swizzle::kReverse) {
    word = __builtin_bswap32(word);
  }
  return word;
}

// Writes a band of columns x0..x0+width-1, read column-major from the file, into the locked
// bitmap; row by row, so that the writes stay close together.
template <Swizzle S>
void WriteBand(const ALLEGRO_LOCKED_REGION& region, const uint8_t* band, int32_t x0, int32_t width,
               int32_t height) {
  const size_t columnBytes = static_cast<size_t>(height) * 4;
  for (int32_t y = 0; y < height; ++y) {
    auto* out = static_cast<uint8_t*>(region.data) + static_cast<ptrdiff_t>(y) * region.pitch +
                static_cast<size_t>(x0) * 4;
    const uint8_t* in = band + static_cast<size_t>(y) * 4;
    for (int32_t x = 0; x < width; ++x, in += columnBytes, out += 4) {
      const uint32_t word = PixelWord<S>(in);
      std::memcpy(out, &word, 4);
    }
  }
}

void WriteBand(const ALLEGRO_LOCKED_REGION& region, Swizzle swizzle, const uint8_t* band,
               int32_t x0, int32_t width, int32_t height) {
  switch (swizzle) {
    case Swizzle::kSame:
      return WriteBand<Swizzle::kSame>(region, band, x0, width, height);
    case Swizzle::kSwapRedBlue:
      return WriteBand<Swizzle::kSwapRedBlue>(region, band, x0, width, height);
    case Swizzle::kReverse:
      return WriteBand<Swizzle::kReverse>(region, band, x0, width, height);
  }
}

// Columns read from the file at a time: few enough that the band is small next to the bitmap,
// enough that each read is long.
constexpr int32_t kBandColumns = 16;

struct FileClose {
  void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

ExternalImageManager::ExternalImageManager() { RegisterWithLuaManager(kImageContainerFamily); }

ExternalImageManager::~ExternalImageManager() { CloseFile(); }

void ExternalImageManager::OpenFile(const char* path) {
  CloseFile();
  const std::unique_ptr<FILE, FileClose> source(OpenContentFile(path, "rb"));
  if (source == nullptr) return;
  // Making and removing the scratch file count as file writes, like a script's.
  ++gFileWrites;
  file = CreateTemporaryFile(kTemporaryFile);
  if (file == nullptr) {
    Log("ExternalImageManager::OpenFile - Warning, could not create %s\n", kTemporaryFile);
    return;
  }
  isTemporary = true;
  OpenedOrClosed([&] {
    const int result = ZLibDecompressor::Inflate(source.get(), file, kLargestInflatedContainer);
    if (result == Z_BUF_ERROR) {
      Log("ExternalImageManager::OpenFile - Warning, %s inflates to more than %lld bytes\n", path,
          static_cast<long long>(kLargestInflatedContainer));
      CloseFile();
      return;
    }
    if (result != Z_OK) {
      // What was inflated stays: the whole records in it can still be read.
      Log("ExternalImageManager::OpenFile - Warning, %s did not inflate whole (zlib error %i)\n",
          path, result);
    }
    std::fflush(file);
    std::rewind(file);
    ReadOpenedDirectory("OpenFile", path, kCompressedHeaderSize);
  });
}

void ExternalImageManager::OpenFileUncompressed(const char* path) {
  CloseFile();
  // Nothing is ever written to a container, so a read-only one opens too.
  file = OpenContentFile(path, "rb");
  if (file == nullptr) return;
  isTemporary = false;
  OpenedOrClosed([&] { ReadOpenedDirectory("OpenFileUncompressed", path, kPlainHeaderSize); });
}

template <class Step>
void ExternalImageManager::OpenedOrClosed(Step step) {
  try {
    step();
  } catch (...) {
    // Out of memory, say: the manager ends closed, its temporary file gone, and the caller
    // reports what happened.
    CloseFile();
    throw;
  }
}

void ExternalImageManager::ReadOpenedDirectory(const char* operation, const char* path,
                                               int64_t headerSize) {
  fileSize = FileSize(file);
  const std::string reason = fileSize < 0 ? std::string("its size cannot be told")
                                          : ReadDirectory(file, fileSize, headerSize, entries);
  if (!reason.empty()) {
    Log("ExternalImageManager::%s - Warning, %s has a damaged directory: %s\n", operation, path,
        reason.c_str());
    CloseFile();
  }
}

void ExternalImageManager::CloseFile() {
  if (file != nullptr) {
    std::fclose(file);
    if (isTemporary) {
      ++gFileWrites;
      RemoveTemporaryFile(kTemporaryFile);
    }
  }
  file = nullptr;
  isTemporary = false;
  fileSize = 0;
  entries.clear();
  entries.shrink_to_fit();
  band.clear();
  band.shrink_to_fit();
}

const DirectoryEntry* ExternalImageManager::FindEntry(const char* name) const {
  if (name == nullptr) return nullptr;
  for (const DirectoryEntry& entry : entries) {
    if (std::strcmp(entry.name.c_str(), name) == 0) return &entry;
  }
  Log("ExternalImageManager::GetBitmapFromActiveFile - Warning, %s not found\n",
      name ? name : "(null)");
  return nullptr;
}

ImageObject* ExternalImageManager::GetBitmapFromActiveFile(const char* name) {
  if (file == nullptr) {
    Log("ExternalImageManager::GetBitmapFromActiveFile - Warning, no file is open\n");
    return nullptr;
  }
  const DirectoryEntry* entry = FindEntry(name);
  return entry != nullptr ? LoadImage(*entry) : nullptr;
}

ImageObject* ExternalImageManager::GetBitmapFromActiveFile(int32_t offset) {
  // With no container open the directory is empty, so the offset is not found.
  const auto wanted = static_cast<uint32_t>(offset);
  for (const DirectoryEntry& entry : entries) {
    // The record at the entry's own offset, even when an earlier entry has the same name.
    if (entry.offset == wanted) return LoadImage(entry);
  }
  Log("ExternalImageManager::GetBitmapFromActiveFile(L) - Warning, %i not found\n", offset);
  return nullptr;
}

ImageObject* ExternalImageManager::LoadImage(const DirectoryEntry& entry) {
  return ExtractImage(file, fileSize, entry.offset, entry.name.c_str(),
                      "ExternalImageManager::GetBitmapFromActiveFile - ", band);
}

ImageObject* ExtractImage(FILE* file, int64_t fileSize, uint32_t offset, const char* name,
                          const char* lineStart, std::vector<uint8_t>& band) {
  ImageRecord record;
  const std::string reason = ReadImageRecord(file, fileSize, offset, record);
  if (!reason.empty()) {
    Log("%sWarning, %s is damaged: %s\n", lineStart, name, reason.c_str());
    return nullptr;
  }
  // The pixels go from the file into the locked bitmap a band at a time: the band is all the
  // memory the extraction takes beside the bitmap and its lock.
  band.resize(static_cast<size_t>(std::min(record.width, kBandColumns)) *
              static_cast<size_t>(record.height) * 4);
  auto image = std::make_unique<ImageObject>();
  image->Create(record.width, record.height, &gOpenGLMode);
  ALLEGRO_BITMAP* bitmap = image->GetBitmap();
  if (bitmap == nullptr) {
    Log("%sWarning, no bitmap of %i by %i for %s\n", lineStart, record.width, record.height, name);
    return nullptr;
  }
  image->SetDrawOffset(record.x0, record.y0);
  // Every pixel is written below, so the bitmap needs no clearing and a write-only lock keeps
  // nothing from being lost. The bitmap becomes the target only after the unlock: unlocking the
  // target video bitmap costs another copy of its pixels.
  Swizzle swizzle;
  const ALLEGRO_PIXEL_FORMAT format = LockFormatFor(bitmap, swizzle);
  bool whole = true;
  {
    const BitmapLock lock(bitmap, format, ALLEGRO_LOCK_WRITEONLY);
    if (!lock) {
      Log("%sWarning, %s could not be locked\n", lineStart, name);
      return nullptr;
    }
    for (int32_t x0 = 0; whole && x0 < record.width; x0 += kBandColumns) {
      const int32_t columns = std::min(kBandColumns, record.width - x0);
      const size_t bytes = static_cast<size_t>(columns) * static_cast<size_t>(record.height) * 4;
      whole = std::fread(band.data(), 1, bytes, file) == bytes;
      if (whole) WriteBand(lock.Region(), swizzle, band.data(), x0, columns, record.height);
    }
  }
  if (!whole) {
    Log("%sWarning, %s is damaged: pixels could not be read\n", lineStart, name);
    return nullptr;
  }
  al_set_target_bitmap(bitmap);
  return image.release();
}

PaletteSet* ExternalImageManager::GetPaletteFromActiveFile(const char* name) {
  if (file == nullptr) return nullptr;
  const DirectoryEntry* entry = FindEntry(name);
  if (entry == nullptr) return nullptr;
  PaletteRecord palette;
  const std::string reason = ReadPaletteRecord(file, fileSize, entry->offset, palette);
  if (!reason.empty()) {
    Log("ExternalImageManager::GetPaletteFromActiveFile - Warning, %s is damaged: %s\n",
        entry->name.c_str(), reason.c_str());
    return nullptr;
  }
  // The stored colours and the set together take 20 bytes a colour, 1.25 times the set.
  auto* set = new PaletteSet(palette.paletteCount, palette.colourCount);
  const uint8_t* c = palette.colours.data();
  for (int32_t p = 0; p < palette.paletteCount; ++p) {
    for (int32_t k = 0; k < palette.colourCount; ++k, c += 4) {
      set->SetColour(p, k, al_map_rgba(c[3], c[2], c[1], c[0]));  // stored A B G R
    }
  }
  return set;
}
