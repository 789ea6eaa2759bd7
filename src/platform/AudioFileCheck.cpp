#include "platform/AudioFileCheck.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

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

bool ReadAt(FILE* file, uint64_t at, unsigned char* into, size_t size) {
  return at <= static_cast<uint64_t>(LONG_MAX) &&
         std::fseek(file, static_cast<long>(at), SEEK_SET) == 0 && ReadExactly(file, into, size);
}

// The tracker modules go to one decoder, which divides by their tempos and sample rates and
// allocates what their sample lengths say before it reads the samples.

// Where a module's signature stands, and the signatures of the kinds it takes.
constexpr long kModSignatureAt = 1080;
constexpr long kS3mSignatureAt = 44;
constexpr char kXmSignature[] = "Extended Module: ";

bool IsModSignature(const unsigned char* at) {
  static constexpr const char* kFixed[] = {"M.K.", "M!K!", "M&K!", "FLT4",
                                           "FLT8", "CD81", "OKTA", "OCTA"};
  for (const char* fixed : kFixed) {
    if (std::equal(at, at + 4, fixed)) return true;
  }
  const auto digit = [](unsigned char c) { return c >= '0' && c <= '9'; };
  return (digit(at[0]) && std::equal(at + 1, at + 4, "CHN")) ||
         (digit(at[0]) && digit(at[1]) &&
          (std::equal(at + 2, at + 4, "CH") || std::equal(at + 2, at + 4, "CN"))) ||
         (std::equal(at, at + 3, "TDZ") && digit(at[3]));
}

// The decoder reads eight-channel patterns stored as pairs of four-channel ones past its buffers
// whatever they hold; everything else in a MOD it bounds itself.
bool ModIsSane(FILE* file) {
  unsigned char signature[4];
  return !ReadAt(file, kModSignatureAt, signature, sizeof signature) ||
         !std::equal(signature, signature + 4, "FLT8");
}

// The decoder walks the whole song tick by tick to learn its length before it plays a note, so a
// few hundred bytes of long, slow patterns (many orders at speed 255) stall the game for seconds.
// The walk is bounded from the patterns: at most every row of every order up to a break or jump,
// each at the fastest-to-walk speed anywhere, stretched by the longest pattern delay and by every
// channel's pattern loops. Songs past it are refused; real songs stay far below (at speed 6 and
// tempo 125 the bound is 43 minutes of music).
constexpr uint64_t kMostWalkedTicks = uint64_t{1} << 17;
constexpr uint32_t kDefaultSpeed = 6;

// What a pattern adds to the song's walk.
struct S3mPatternWalk {
  uint64_t rows = 0;       // rows played, with its loops and delays
  uint32_t mostSpeed = 0;  // the largest speed it sets (0 for none)
};

// Commands are the letters A to Z; the decoder takes some numbers past them for effects of its
// own and follows pointers they never set. It reads a pattern's 64 rows whatever length the
// pattern gives itself. None for a pattern the decoder must not read.
std::optional<S3mPatternWalk> S3mPatternIsSane(FILE* file, uint64_t at) {
  constexpr uint32_t kLastCommand = 26;
  constexpr uint32_t kSpeed = 1, kJump = 2, kBreak = 3, kSpecial = 19;
  constexpr int kRows = 64;
  constexpr int kChannels = 32;
  // Two bytes of length, then at most 32 channels of 6 bytes and an end a row.
  constexpr size_t kLongest = 2 + kRows * (kChannels * 6 + 1);
  S3mPatternWalk walk;
  if (at == 0) {  // an empty pattern: 64 empty rows
    walk.rows = kRows;
    return walk;
  }
  std::vector<unsigned char> packed(kLongest);
  if (at > static_cast<uint64_t>(LONG_MAX) ||
      std::fseek(file, static_cast<long>(at), SEEK_SET) != 0) {
    return std::nullopt;
  }
  packed.resize(std::fread(packed.data(), 1, packed.size(), file));
  if (packed.size() < 2) return std::nullopt;
  int rows = 0;
  int played = kRows;  // up to the first break or jump
  uint32_t mostDelay = 0;
  uint32_t loops[kChannels] = {};
  for (size_t i = 2; i < packed.size() && rows < kRows;) {
    const unsigned char what = packed[i++];
    if (what == 0) {
      ++rows;
      continue;
    }
    i += (what & 0x20) ? 2 : 0;
    i += (what & 0x40) ? 1 : 0;
    if ((what & 0x80) == 0) continue;
    if (i >= packed.size()) break;
    const uint32_t command = packed[i];
    const uint32_t value = i + 1 < packed.size() ? packed[i + 1] : 0;
    i += 2;
    if (command > kLastCommand) return std::nullopt;
    if (command == kSpeed) walk.mostSpeed = std::max(walk.mostSpeed, value);
    if ((command == kJump || command == kBreak) && rows + 1 < played) played = rows + 1;
    if (command == kSpecial && (value >> 4) == 0xE) mostDelay = std::max(mostDelay, value & 15);
    if (command == kSpecial && (value >> 4) == 0xB) {
      uint32_t& loop = loops[what & 31];
      loop = std::max(loop, value & 15);
    }
  }
  walk.rows = static_cast<uint64_t>(played) * (1 + mostDelay);
  // Held just past the bound, so that 32 channels of loops cannot overflow.
  for (const uint32_t loop : loops)
    walk.rows = std::min(walk.rows * (1 + loop), kMostWalkedTicks + 1);
  return walk;
}

// The tempo, each sample's rate and data within the file, the patterns' commands and the length
// of the walk through the song.
bool S3mIsSane(FILE* file) {
  const long size = FileSize(file);
  unsigned char header[0x60];
  if (size < 0 || !ReadAt(file, 0, header, sizeof header)) return false;
  if (header[0x32] == 0) return false;
  const uint32_t orders = Little(header + 0x20, 2);
  const uint32_t instruments = Little(header + 0x22, 2);
  for (uint32_t i = 0; i < instruments; ++i) {
    unsigned char pointer[2];
    if (!ReadAt(file, 0x60 + orders + 2 * i, pointer, sizeof pointer)) return false;
    const uint64_t at = 16 * static_cast<uint64_t>(Little(pointer, 2));
    unsigned char instrument[0x50];
    if (!ReadAt(file, at, instrument, sizeof instrument)) return false;
    const uint32_t length = Little(instrument + 0x10, 4);
    if (instrument[0] != 1 || length == 0) continue;  // not a sample, or an empty one
    const uint64_t data =
        16 * (static_cast<uint64_t>(instrument[0x0D]) << 16 | Little(instrument + 0x0E, 2));
    const uint64_t bytes = static_cast<uint64_t>(length) * ((instrument[0x1F] & 4) ? 2 : 1) *
                           ((instrument[0x1F] & 2) ? 2 : 1);
    if (Little(instrument + 0x20, 4) == 0 || data + bytes > static_cast<uint64_t>(size)) {
      return false;
    }
  }
  const uint32_t patterns = Little(header + 0x24, 2);
  std::vector<S3mPatternWalk> walks;
  for (uint32_t i = 0; i < patterns; ++i) {
    unsigned char pointer[2];
    if (!ReadAt(file, 0x60 + orders + 2 * (instruments + i), pointer, sizeof pointer)) {
      return false;
    }
    const std::optional<S3mPatternWalk> walk =
        S3mPatternIsSane(file, 16 * static_cast<uint64_t>(Little(pointer, 2)));
    if (!walk) return false;
    walks.push_back(*walk);
  }
  std::vector<unsigned char> order(orders);
  if (orders > 0 && !ReadAt(file, 0x60, order.data(), order.size())) return false;
  // Every order the song can reach (up to its end mark), each at most once: the decoder ends the
  // song where it comes back to a row it played.
  uint64_t rows = 0;
  uint32_t speed = header[0x31] != 0 ? header[0x31] : kDefaultSpeed;
  for (const unsigned char pattern : order) {
    if (pattern == 0xFF) break;
    if (pattern >= walks.size()) continue;  // a marker, or a pattern the file lacks
    rows = std::min(rows + walks[pattern].rows, kMostWalkedTicks + 1);
    speed = std::max(speed, walks[pattern].mostSpeed);
  }
  return rows * speed <= kMostWalkedTicks;
}

// XM and IT files are not among the engine's kinds, yet the decoder takes them by their signature
// under any name, and on damaged ones it runs through their song for ever.
bool IsNotTaken(FILE*) { return false; }

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
  // The decoders also go by what a file starts with when its extension's decoder refuses it: a
  // file must suit its extension's decoder and every decoder its signatures lead to.
  unsigned char magic[sizeof kXmSignature - 1] = {};
  const size_t read = std::fread(magic, 1, sizeof magic, file);
  unsigned char s3m[4] = {};
  const bool readS3m = ReadAt(file, kS3mSignatureAt, s3m, sizeof s3m);
  unsigned char mod[4] = {};
  const bool readMod = ReadAt(file, kModSignatureAt, mod, sizeof mod);
  if (std::fseek(file, 0, SEEK_SET) != 0) return false;
  const std::string extension = Extension(path);
  const auto starts = [&](const char* signature) {
    const size_t length = std::strlen(signature);
    return read >= length && std::equal(magic, magic + length, signature);
  };
  const struct {
    bool chosen;
    bool (*sane)(FILE*);
  } kinds[] = {
      {extension == ".wav" || starts("RIFF"), WavIsSane},
      {extension == ".flac" || starts("fLaC"), FlacIsSane},
      {extension == ".mod" || (readMod && IsModSignature(mod)), ModIsSane},
      {extension == ".s3m" || (readS3m && std::equal(s3m, s3m + 4, "SCRM")), S3mIsSane},
      {extension == ".xm" || extension == ".it" || starts(kXmSignature) || starts("IMPM"),
       IsNotTaken},
  };
  for (const auto& kind : kinds) {
    if (kind.chosen && !kind.sane(file)) return false;
  }
  return true;
}
