#pragma once

// Writes image containers, plain and compressed: the sample game's images at build time, and the
// fixtures of the tests, including files with wrong values on purpose (any entry count, entries
// that point anywhere, records with any header). Header-only so that tests, fuzz seeds and the
// command-line front share it.

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace image_container {

using Bytes = std::vector<uint8_t>;

struct Colour {
  uint8_t r, g, b, a;
  bool operator==(const Colour&) const = default;
};

inline void PutInt32(Bytes& out, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  out.insert(out.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                         static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)});
}

// The header of an image record as stored, wrong values included. The crop rectangle is written
// only when crop is 1.
struct ImageHeader {
  int32_t width = 0, height = 0;
  uint8_t crop = 0;
  int32_t x0 = 0, y0 = 0, w = 0, h = 0;
};

inline Bytes ImageHeaderBytes(const ImageHeader& header) {
  Bytes out;
  PutInt32(out, header.width);
  PutInt32(out, header.height);
  out.push_back(header.crop);
  if (header.crop == 1) {
    for (int32_t v : {header.x0, header.y0, header.w, header.h}) PutInt32(out, v);
  }
  return out;
}

// Pixels given row after row (rowMajor[y * w + x]) are stored column after column, R G B A.
inline void PutPixelsColumnMajor(Bytes& out, int32_t w, int32_t h,
                                 const std::vector<Colour>& rowMajor) {
  if (rowMajor.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) {
    throw std::invalid_argument("pixel count does not match the size");
  }
  out.reserve(out.size() + rowMajor.size() * 4);
  for (int32_t x = 0; x < w; ++x) {
    for (int32_t y = 0; y < h; ++y) {
      const Colour& c = rowMajor[static_cast<size_t>(y) * static_cast<size_t>(w) + x];
      out.insert(out.end(), {c.r, c.g, c.b, c.a});
    }
  }
}

// An uncropped image of width x height; pixels row after row.
inline Bytes ImageRecordBytes(int32_t width, int32_t height, const std::vector<Colour>& pixels,
                              uint8_t cropFlag = 0) {
  Bytes out = ImageHeaderBytes({width, height, cropFlag});
  PutPixelsColumnMajor(out, width, height, pixels);
  return out;
}

// A cropped image: the full size, the crop rectangle, and the crop's w x h pixels row after row.
inline Bytes CroppedImageRecordBytes(int32_t width, int32_t height, int32_t x0, int32_t y0,
                                     int32_t w, int32_t h, const std::vector<Colour>& pixels) {
  Bytes out = ImageHeaderBytes({width, height, 1, x0, y0, w, h});
  PutPixelsColumnMajor(out, w, h, pixels);
  return out;
}

// A palette set of P rows of K colours, given row after row; stored A B G R per colour.
inline Bytes PaletteRecordBytes(int32_t paletteCount, int32_t colourCount,
                                const std::vector<Colour>& colours) {
  Bytes out;
  PutInt32(out, paletteCount);
  PutInt32(out, colourCount);
  for (const Colour& c : colours) out.insert(out.end(), {c.a, c.b, c.g, c.r});
  return out;
}

// Crops an image to the bounding box of its pixels that are not fully transparent (a 1 x 1 box at
// the origin when there are none). Answers the box as x0, y0, w, h.
struct Box {
  int32_t x0, y0, w, h;
};
inline Box OpaqueBounds(int32_t width, int32_t height, const std::vector<Colour>& pixels) {
  int32_t left = width, top = height, right = -1, bottom = -1;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      if (pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x].a == 0) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {0, 0, 1, 1};
  return {left, top, right - left + 1, bottom - top + 1};
}

inline std::vector<Colour> SubImage(int32_t width, const std::vector<Colour>& pixels, Box box) {
  std::vector<Colour> out;
  out.reserve(static_cast<size_t>(box.w) * static_cast<size_t>(box.h));
  for (int32_t y = box.y0; y < box.y0 + box.h; ++y) {
    for (int32_t x = box.x0; x < box.x0 + box.w; ++x) {
      out.push_back(pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]);
    }
  }
  return out;
}

// The whole container: header, entry count, directory, then the records in the order added, each
// entry holding its record's absolute offset.
class ContainerWriter {
 public:
  // A record laid out after the directory.
  void Add(std::string name, Bytes record) {
    entries.push_back({std::move(name), 0, records.size()});
    records.push_back(std::move(record));
  }
  // An entry that points at a fixed offset and brings no record (offsets past the end, two names
  // for one record).
  void AddEntry(std::string name, uint32_t offset) {
    entries.push_back({std::move(name), offset, kNoRecord});
  }
  // Writes this entry count in place of the real one.
  void SetEntryCount(int32_t count) {
    countOverride = count;
    hasCountOverride = true;
  }

  // The absolute offset that the entry of that position gets in a layout with this header size.
  uint32_t OffsetOf(size_t entry, int64_t headerSize) const {
    return Layout(headerSize).second[entry];
  }

  Bytes Plain() const { return Layout(19).first; }
  // The bytes that a compressed container inflates to.
  Bytes Inflated() const { return Layout(17).first; }
  Bytes Compressed(int level = Z_DEFAULT_COMPRESSION) const { return Compress(Inflated(), level); }

  static Bytes Compress(const Bytes& data, int level = Z_DEFAULT_COMPRESSION) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), level) != Z_OK) {
      throw std::runtime_error("compress2 failed");
    }
    out.resize(size);
    return out;
  }

  static void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
  }

 private:
  static constexpr size_t kNoRecord = SIZE_MAX;

  struct Entry {
    std::string name;
    uint32_t offset;  // used when record is kNoRecord
    size_t record;
  };

  std::pair<Bytes, std::vector<uint32_t>> Layout(int64_t headerSize) const {
    int64_t directorySize = 4;
    for (const Entry& e : entries) {
      if (e.name.size() > 255) throw std::invalid_argument("name longer than 255 bytes: " + e.name);
      directorySize += 1 + static_cast<int64_t>(e.name.size()) + 4;
    }
    std::vector<uint32_t> recordOffsets;
    int64_t at = headerSize + directorySize;
    for (const Bytes& r : records) {
      recordOffsets.push_back(static_cast<uint32_t>(at));
      at += static_cast<int64_t>(r.size());
    }

    Bytes out(static_cast<size_t>(headerSize), 0);
    out.reserve(static_cast<size_t>(at));
    PutInt32(out, hasCountOverride ? countOverride : static_cast<int32_t>(entries.size()));
    std::vector<uint32_t> offsets;
    for (const Entry& e : entries) {
      const uint32_t offset = e.record == kNoRecord ? e.offset : recordOffsets[e.record];
      offsets.push_back(offset);
      out.push_back(static_cast<uint8_t>(e.name.size()));
      out.insert(out.end(), e.name.begin(), e.name.end());
      PutInt32(out, static_cast<int32_t>(offset));
    }
    for (const Bytes& r : records) out.insert(out.end(), r.begin(), r.end());
    return {std::move(out), std::move(offsets)};
  }

  std::vector<Entry> entries;
  std::vector<Bytes> records;
  int32_t countOverride = 0;
  bool hasCountOverride = false;
};

// Compresses a stream given piece by piece straight into a file, for containers far larger once
// inflated than a test would build in memory (the inflated bytes never exist at once).
class CompressedFileWriter {
 public:
  explicit CompressedFileWriter(const std::string& path, int level = Z_BEST_COMPRESSION)
      : out(path, std::ios::binary | std::ios::trunc), buffer(1 << 16) {
    if (!out) throw std::runtime_error("cannot write " + path);
    if (deflateInit(&stream, level) != Z_OK) throw std::runtime_error("deflateInit failed");
  }
  ~CompressedFileWriter() { deflateEnd(&stream); }
  CompressedFileWriter(const CompressedFileWriter&) = delete;
  CompressedFileWriter& operator=(const CompressedFileWriter&) = delete;

  void Write(const Bytes& bytes) { Deflate(bytes.data(), bytes.size(), Z_NO_FLUSH); }
  void WriteZeros(uint64_t count) {
    const Bytes zeros(1 << 20, 0);
    for (; count > 0; count -= std::min<uint64_t>(count, zeros.size())) {
      Deflate(zeros.data(), static_cast<size_t>(std::min<uint64_t>(count, zeros.size())),
              Z_NO_FLUSH);
    }
  }
  // Ends the stream; nothing may be written afterwards.
  void Finish() {
    Deflate(nullptr, 0, Z_FINISH);
    out.close();
    if (!out) throw std::runtime_error("cannot finish the compressed file");
  }

 private:
  void Deflate(const uint8_t* data, size_t size, int flush) {
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(size);
    int result;
    do {
      stream.next_out = buffer.data();
      stream.avail_out = static_cast<uInt>(buffer.size());
      result = deflate(&stream, flush);
      if (result == Z_STREAM_ERROR) throw std::runtime_error("deflate failed");
      out.write(reinterpret_cast<const char*>(buffer.data()),
                static_cast<std::streamsize>(buffer.size() - stream.avail_out));
    } while (stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    if (!out) throw std::runtime_error("cannot write the compressed file");
  }

  std::ofstream out;
  Bytes buffer;
  z_stream stream{};
};

}  // namespace image_container
