#pragma once

// Writes chunked levels: the sample game's level at build time and the fixtures of the tests,
// including headers with wrong values on purpose. A level is one zlib stream of a 22-byte header
// (10-byte tag, record spacing, chunks across, chunks down) and the chunk records column after
// column; records are produced one at a time and streamed through deflate, so a level far larger
// than memory can be written. Header-only so that tests, fuzz seeds, the benchmark and the
// command-line front share it.

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ImageContainerWriter.h"

namespace chunk_level {

using Bytes = std::vector<uint8_t>;

constexpr int32_t kChunkSize = 256;
constexpr int32_t kPixels = kChunkSize * kChunkSize;
constexpr size_t kClipOffset = size_t{kPixels} * 4;
constexpr size_t kLayerOffset = kClipOffset + size_t{kPixels} * 2;
constexpr size_t kRecordBytes = kLayerOffset + kPixels;
constexpr int32_t kHeaderBytes = 22;

struct Pixel {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  int16_t clip = 0;
  int8_t layer = 0;
};

// One chunk's record as stored: colours (alpha, blue, green, red), then the clip values
// (little-endian int16), then the layer values, each column after column (y varies fastest).
class ChunkRecord {
 public:
  ChunkRecord() : bytes(kRecordBytes, 0) {}

  void Set(int32_t x, int32_t y, const Pixel& p) {
    const size_t index = static_cast<size_t>(x) * kChunkSize + static_cast<size_t>(y);
    uint8_t* colour = bytes.data() + index * 4;
    colour[0] = p.a;
    colour[1] = p.b;
    colour[2] = p.g;
    colour[3] = p.r;
    const auto clip = static_cast<uint16_t>(p.clip);
    bytes[kClipOffset + index * 2] = static_cast<uint8_t>(clip);
    bytes[kClipOffset + index * 2 + 1] = static_cast<uint8_t>(clip >> 8);
    bytes[kLayerOffset + index] = static_cast<uint8_t>(p.layer);
  }
  void Fill(const Pixel& p) {
    for (int32_t x = 0; x < kChunkSize; ++x) {
      for (int32_t y = 0; y < kChunkSize; ++y) Set(x, y, p);
    }
  }
  void Clear() { std::fill(bytes.begin(), bytes.end(), 0); }
  const Bytes& Data() const { return bytes; }

 private:
  Bytes bytes;
};

struct Header {
  std::string tag = "QMLevel1.0";  // 10 bytes, padded or cut
  int32_t spacing = static_cast<int32_t>(kRecordBytes);
  int32_t across = 0;
  int32_t down = 0;
};

using image_container::PutInt32;

inline Bytes HeaderBytes(const Header& header) {
  Bytes out(10, 0);
  std::memcpy(out.data(), header.tag.data(), std::min<size_t>(header.tag.size(), 10));
  PutInt32(out, header.spacing);
  PutInt32(out, header.across);
  PutInt32(out, header.down);
  return out;
}

// Deflate fed piece by piece, its output gathered in memory.
class Deflater {
 public:
  explicit Deflater(int level = Z_DEFAULT_COMPRESSION) {
    if (deflateInit(&z, level) != Z_OK) throw std::runtime_error("deflateInit failed");
  }
  ~Deflater() { deflateEnd(&z); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  void Add(const uint8_t* data, size_t size) { Run(data, size, Z_NO_FLUSH); }
  void Add(const Bytes& data) { Add(data.data(), data.size()); }
  Bytes Finish() {
    Run(nullptr, 0, Z_FINISH);
    return std::move(out);
  }

 private:
  void Run(const uint8_t* data, size_t size, int flush) {
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    uint8_t buffer[65536];
    int ret;
    do {
      z.next_out = buffer;
      z.avail_out = sizeof buffer;
      ret = deflate(&z, flush);
      if (ret == Z_STREAM_ERROR) throw std::runtime_error("deflate failed");
      out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
    } while (z.avail_out == 0 || (flush == Z_FINISH && ret != Z_STREAM_END));
  }

  z_stream z{};
  Bytes out;
};

// Arbitrary bytes as one stream, for damaged levels.
inline Bytes Compress(const Bytes& data) {
  return image_container::ContainerWriter::Compress(data);
}

// Paints the record of chunk (column, row); the record starts cleared every time.
using Painter = std::function<void(int32_t column, int32_t row, ChunkRecord& record)>;

// A whole level: the header, then every record padded with zeros to the spacing (a spacing below
// the record size cuts each record there). Either the inflated bytes, for small levels, or the
// compressed stream.
class LevelWriter {
 public:
  explicit LevelWriter(Header header) : header(std::move(header)) {}
  LevelWriter(int32_t across, int32_t down) : header{.across = across, .down = down} {}

  Bytes Inflated(const Painter& paint) const {
    Bytes out = HeaderBytes(header);
    Each(paint,
         [&out](const uint8_t* data, size_t size) { out.insert(out.end(), data, data + size); });
    return out;
  }
  Bytes Compressed(const Painter& paint, int level = Z_DEFAULT_COMPRESSION) const {
    Deflater deflater(level);
    deflater.Add(HeaderBytes(header));
    Each(paint, [&deflater](const uint8_t* data, size_t size) { deflater.Add(data, size); });
    return deflater.Finish();
  }

 private:
  void Each(const Painter& paint, const std::function<void(const uint8_t*, size_t)>& put) const {
    if (header.across <= 0 || header.down <= 0 || header.spacing < 0) return;
    ChunkRecord record;
    const Bytes padding(header.spacing > static_cast<int32_t>(kRecordBytes)
                            ? static_cast<size_t>(header.spacing) - kRecordBytes
                            : 0,
                        0);
    const size_t kept = std::min(kRecordBytes, static_cast<size_t>(header.spacing));
    for (int32_t i = 0; i < header.across; ++i) {
      for (int32_t j = 0; j < header.down; ++j) {
        record.Clear();
        if (paint) paint(i, j, record);
        put(record.Data().data(), kept);
        if (!padding.empty()) put(padding.data(), padding.size());
      }
    }
  }

  Header header;
};

inline void WriteFile(const std::string& path, const Bytes& bytes) {
  image_container::ContainerWriter::WriteFile(path, bytes);
}

}  // namespace chunk_level
