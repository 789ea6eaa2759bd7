#include "resources/ImageContainerFormat.h"

#include <cstdint>
#include <string_view>

namespace {

// Reads from a file of known size; every read is checked against what is left.
class Reader {
 public:
  Reader(FILE* file, int64_t fileSize) : file(file), size(fileSize) {}

  bool Seek(int64_t to) {
    if (to < 0 || to > size || std::fseek(file, static_cast<long>(to), SEEK_SET) != 0) {
      return false;
    }
    position = to;
    return true;
  }
  int64_t Left() const { return size - position; }

  bool Bytes(void* out, size_t count) {
    if (static_cast<uint64_t>(Left()) < count) return false;
    if (std::fread(out, 1, count, file) != count) return false;
    position += static_cast<int64_t>(count);
    return true;
  }
  bool Byte(uint8_t& out) { return Bytes(&out, 1); }
  bool Int32(int32_t& out) {
    uint8_t b[4];
    if (!Bytes(b, 4)) return false;
    out =
        static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                             static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
    return true;
  }
  bool UInt32(uint32_t& out) {
    int32_t value;
    if (!Int32(value)) return false;
    out = static_cast<uint32_t>(value);
    return true;
  }

 private:
  FILE* file;
  int64_t size;
  int64_t position = 0;
};

std::string Text(std::string_view a, int64_t n, std::string_view b) {
  return std::string(a) + std::to_string(n) + std::string(b);
}

// The smallest entry: a length byte, no name, an offset.
constexpr int64_t kSmallestEntry = 5;

}  // namespace

int64_t FileSize(FILE* file) {
  if (file == nullptr) return -1;
  const long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long end = std::ftell(file);
  if (std::fseek(file, here, SEEK_SET) != 0) return -1;
  return end;
}

std::string ReadDirectory(FILE* file, int64_t fileSize, int64_t headerSize,
                          std::vector<DirectoryEntry>& out) {
  out.clear();
  Reader in(file, fileSize);
  int32_t count;
  if (!in.Seek(headerSize) || !in.Int32(count)) return "no entry count";
  if (count < 0 || count > in.Left() / kSmallestEntry) {
    return Text("entry count ", count, " does not fit the file");
  }
  if (count > kLargestDirectory) {
    return Text("entry count ", count,
                " is past the largest directory (" + std::to_string(kLargestDirectory) + ")");
  }
  std::vector<DirectoryEntry> entries(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    DirectoryEntry& entry = entries[static_cast<size_t>(i)];
    uint8_t length = 0;
    bool whole = in.Byte(length);
    if (whole) {
      entry.name.resize(length);
      whole = in.Bytes(entry.name.data(), length) && in.UInt32(entry.offset);
    }
    if (!whole) return Text("directory ends inside entry ", i, " of " + std::to_string(count));
  }
  out = std::move(entries);
  return {};
}

std::string ReadImageRecord(FILE* file, int64_t fileSize, uint32_t offset, ImageRecord& out) {
  out = {};
  Reader in(file, fileSize);
  int32_t width, height;
  uint8_t crop;
  if (!in.Seek(offset) || !in.Int32(width) || !in.Int32(height) || !in.Byte(crop)) {
    return "record header past the end";
  }
  int32_t x0 = 0, y0 = 0;
  if (crop == 1) {
    // The crop rectangle's own size is the image's; width and height are not used then.
    if (!in.Int32(x0) || !in.Int32(y0) || !in.Int32(width) || !in.Int32(height)) {
      return "crop rectangle past the end";
    }
    if (static_cast<int64_t>(x0) + width > INT32_MAX ||
        static_cast<int64_t>(y0) + height > INT32_MAX) {
      return "crop rectangle overflows";
    }
  }
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width < 0 || height < 0) return "negative size " + size;
  if (width == 0 || height == 0) return "no pixels";
  if (width > kLargestImageSide || height > kLargestImageSide) {
    const std::string side = std::to_string(kLargestImageSide);
    return "size " + size + " is past the largest image (" + side + " x " + side + ")";
  }
  const uint64_t pixelCount = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (pixelCount > static_cast<uint64_t>(in.Left()) / 4)
    return "pixels past the end (" + size + ")";
  out.x0 = x0;
  out.y0 = y0;
  out.width = width;
  out.height = height;
  return {};
}

std::string ReadPaletteRecord(FILE* file, int64_t fileSize, uint32_t offset, PaletteRecord& out) {
  out.paletteCount = out.colourCount = 0;
  out.colours.clear();
  Reader in(file, fileSize);
  int32_t palettes, colours;
  if (!in.Seek(offset) || !in.Int32(palettes) || !in.Int32(colours)) {
    return "record header past the end";
  }
  const std::string counts =
      std::to_string(palettes) + " palettes of " + std::to_string(colours) + " colours";
  if (palettes < 1 || colours < 1) return counts;
  const uint64_t colourTotal = static_cast<uint64_t>(palettes) * static_cast<uint64_t>(colours);
  if (colourTotal > static_cast<uint64_t>(kLargestPalette)) {
    return counts + " are past the largest palette (" + std::to_string(kLargestPalette) +
           " colours)";
  }
  if (colourTotal > static_cast<uint64_t>(in.Left()) / 4) {
    return "colours past the end (" + counts + ")";
  }
  out.colours.resize(colourTotal * 4);
  if (!in.Bytes(out.colours.data(), out.colours.size())) {
    out.colours.clear();
    return "colours could not be read";
  }
  out.paletteCount = palettes;
  out.colourCount = colours;
  return {};
}
