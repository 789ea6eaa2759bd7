#include "platform/AudioFileCheck.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>

namespace {

// Rates beyond these are no recording's: a header that says so is damaged.
constexpr uint32_t kLowestRate = 1000;
constexpr uint32_t kHighestRate = 384000;
constexpr uint32_t kMostChannels = 8;

using Closer = int (*)(FILE*);

uint32_t Little(const unsigned char* at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | at[i];
  return value;
}

uint32_t Big(const unsigned char* at, int size) {
  uint32_t value = 0;
  for (int i = 0; i < size; ++i) value = (value << 8) | at[i];
  return value;
}

bool ReadExactly(FILE* file, unsigned char* into, size_t size) {
  return std::fread(into, 1, size, file) == size;
}

long FileSize(FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(file);
  return std::fseek(file, 0, SEEK_SET) == 0 ? size : -1;
}

// RIFF chunks up to the samples: the format must be integer PCM of 8 or 16 bits with a frame
// size that agrees, and every chunk before the samples must lie within the file. A sample chunk
// longer than the file is a file cut short; the decoder stops at its end.
bool WavIsSane(FILE* file) {
  const long size = FileSize(file);
  unsigned char header[12];
  if (size < 12 || !ReadExactly(file, header, sizeof header)) return false;
  if (std::equal(header, header + 4, "RIFF") == false ||
      std::equal(header + 8, header + 12, "WAVE") == false) {
    return false;
  }
  bool sawFormat = false;
  long at = 12;
  for (;;) {
    unsigned char chunk[8];
    if (std::fseek(file, at, SEEK_SET) != 0 || !ReadExactly(file, chunk, sizeof chunk)) {
      return false;
    }
    const uint32_t length = Little(chunk + 4, 4);
    const bool isData = std::equal(chunk, chunk + 4, "data");
    if (isData) return sawFormat;
    if (length > static_cast<uint64_t>(size - at - 8)) return false;
    if (std::equal(chunk, chunk + 4, "fmt ")) {
      unsigned char format[16];
      if (sawFormat || length < sizeof format || !ReadExactly(file, format, sizeof format)) {
        return false;
      }
      const uint32_t code = Little(format, 2);
      const uint32_t channels = Little(format + 2, 2);
      const uint32_t rate = Little(format + 4, 4);
      const uint32_t align = Little(format + 12, 2);
      const uint32_t bits = Little(format + 14, 2);
      if (code != 1 || channels < 1 || channels > kMostChannels || rate < kLowestRate ||
          rate > kHighestRate || (bits != 8 && bits != 16) || align != channels * bits / 8) {
        return false;
      }
      sawFormat = true;
    }
    at += 8 + static_cast<long>(length) + static_cast<long>(length & 1);
  }
}

// The CRC-8 that closes a FLAC frame header (polynomial x^8 + x^2 + x + 1).
uint8_t FlacHeaderCrc(const unsigned char* bytes, size_t size) {
  uint8_t crc = 0;
  for (size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = static_cast<uint8_t>((crc & 0x80) ? (crc << 1) ^ 0x07 : crc << 1);
  }
  return crc;
}

struct FlacStreamInfo {
  uint32_t maxBlock = 0;
  uint32_t channels = 0;
  uint32_t bits = 0;
};

// The first frame's header must be whole and agree with the stream information block: its
// channels, its sample size and a block no longer than the longest announced.
bool FlacFrameAgrees(const unsigned char* frame, size_t size, const FlacStreamInfo& info) {
  if (size < 6 || frame[0] != 0xFF || (frame[1] & 0xFE) != 0xF8) return false;
  const uint32_t blockCode = frame[2] >> 4;
  const uint32_t rateCode = frame[2] & 0x0F;
  const uint32_t channelCode = frame[3] >> 4;
  const uint32_t bitsCode = (frame[3] >> 1) & 0x07;
  if (blockCode == 0 || rateCode == 15 || channelCode > 10 || bitsCode == 3 || (frame[3] & 1)) {
    return false;
  }
  // The frame (or sample) number, coded as UTF-8 is, in up to seven bytes.
  size_t at = 4;
  int extra = 0;
  if ((frame[at] & 0x80) != 0) {
    while (extra < 7 && (frame[at] & (0x40 >> extra)) != 0) ++extra;
    if (extra == 0 || extra > 6) return false;
  }
  at += 1 + static_cast<size_t>(extra);
  uint32_t block = 0;
  if (blockCode == 1) block = 192;
  if (blockCode >= 2 && blockCode <= 5) block = 576u << (blockCode - 2);
  if (blockCode >= 8) block = 256u << (blockCode - 8);
  if (blockCode == 6 || blockCode == 7) {
    const int bytes = blockCode == 6 ? 1 : 2;
    if (at + bytes > size) return false;
    block = Big(frame + at, bytes) + 1;
    at += static_cast<size_t>(bytes);
  }
  if (rateCode >= 12) at += rateCode == 12 ? 1 : 2;
  if (at + 1 > size || FlacHeaderCrc(frame, at) != frame[at]) return false;

  static constexpr uint32_t kBits[] = {0, 8, 12, 0, 16, 20, 24, 32};
  const uint32_t channels = channelCode <= 7 ? channelCode + 1 : 2;
  const uint32_t bits = kBits[bitsCode];
  return channels == info.channels && (bits == 0 || bits == info.bits) &&
         (info.maxBlock == 0 || block <= info.maxBlock);
}

// The metadata blocks: the stream information block first and only there, sane, every block
// within the file; then the first frame.
bool FlacIsSane(FILE* file) {
  const long size = FileSize(file);
  unsigned char magic[10];
  if (size < 4 || !ReadExactly(file, magic, 4)) return false;
  long at = 0;
  if (std::equal(magic, magic + 3, "ID3")) {
    // A tag in front, as some taggers leave; its size is in seven-bit bytes.
    if (!ReadExactly(file, magic + 4, 6)) return false;
    at = 10 + static_cast<long>((magic[6] & 0x7F) << 21 | (magic[7] & 0x7F) << 14 |
                                (magic[8] & 0x7F) << 7 | (magic[9] & 0x7F));
    if (std::fseek(file, at, SEEK_SET) != 0 || !ReadExactly(file, magic, 4)) return false;
  }
  if (!std::equal(magic, magic + 4, "fLaC")) return false;
  at += 4;
  FlacStreamInfo info;
  for (bool first = true;; first = false) {
    unsigned char block[4];
    if (std::fseek(file, at, SEEK_SET) != 0 || !ReadExactly(file, block, sizeof block)) {
      return false;
    }
    const bool last = (block[0] & 0x80) != 0;
    const uint32_t type = block[0] & 0x7F;
    const uint32_t length = Big(block + 1, 3);
    if (length > static_cast<uint64_t>(size - at - 4) || type == 127 || (type == 0) != first) {
      return false;
    }
    if (first) {
      unsigned char stream[34];
      if (length != sizeof stream || !ReadExactly(file, stream, sizeof stream)) return false;
      const uint32_t minBlock = Big(stream, 2);
      info.maxBlock = Big(stream + 2, 2);
      const uint32_t rate = Big(stream + 10, 3) >> 4;
      info.channels = ((stream[12] >> 1) & 0x07) + 1;
      info.bits = (((stream[12] & 1) << 4) | (stream[13] >> 4)) + 1;
      if (minBlock < 16 || info.maxBlock < minBlock || rate < kLowestRate || rate > kHighestRate ||
          info.bits < 4) {
        return false;
      }
    }
    at += 4 + static_cast<long>(length);
    if (last) break;
  }
  unsigned char frame[16];
  if (std::fseek(file, at, SEEK_SET) != 0) return false;
  const size_t got = std::fread(frame, 1, sizeof frame, file);
  // No frame at all is an empty stream: it plays nothing.
  return got == 0 || FlacFrameAgrees(frame, got, info);
}

}  // namespace

bool AudioFileCheck::Accepts(const std::string& path) {
  const std::unique_ptr<FILE, Closer> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  return file != nullptr && Accepts(path, file.get());
}

std::string AudioFileCheck::Extension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find_first_of("/\\", dot) != std::string::npos) return "";
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

bool AudioFileCheck::Accepts(const std::string& path, FILE* file) {
  // The decoders also go by what a file starts with when its extension's decoder refuses it.
  unsigned char magic[4] = {};
  const bool read = ReadExactly(file, magic, sizeof magic);
  if (std::fseek(file, 0, SEEK_SET) != 0) return false;
  const std::string extension = Extension(path);
  if (extension == ".wav" || (read && std::equal(magic, magic + 4, "RIFF"))) return WavIsSane(file);
  if (extension == ".flac" || (read && std::equal(magic, magic + 4, "fLaC"))) {
    return FlacIsSane(file);
  }
  return true;
}
