#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The byte layout of image containers and checked readers for each part of it. A container is
// untrusted: every reader checks each count, size and offset against the bytes that are really in
// the file before it allocates or reads, and answers why it refuses a part instead of reading it.
//
// All integers are 32-bit little-endian. After a header that is never read (19 bytes in a plain
// container, 17 in the inflated form of a compressed one) come the entry count N and N entries,
// each a 1-byte name length, the name's bytes and the record's absolute offset. An image record is
// width, height, a crop flag byte, the crop rectangle x0, y0, w, h only when the flag is 1, then
// the pixels column after column, 4 bytes each (red, green, blue, alpha). A palette record is P,
// K and P rows of K colours, 4 bytes each (alpha, blue, green, red).

constexpr int64_t kPlainHeaderSize = 19;
constexpr int64_t kCompressedHeaderSize = 17;

// What the program takes from a container at most; anything larger is refused before it is
// allocated. A side of 16384 is the largest bitmap common graphics drivers make (an image of that
// size holds 1 GiB of pixels); the palette and directory bounds are far beyond any game's need.
constexpr int32_t kLargestImageSide = 16384;
constexpr int64_t kLargestPalette = 1 << 20;    // colours in all, P * K
constexpr int64_t kLargestDirectory = 1 << 20;  // entries
// The largest inflated form of a compressed container: room for the largest image and more.
constexpr int64_t kLargestInflatedContainer = int64_t{1} << 31;

struct DirectoryEntry {
  uint32_t offset;   // absolute position of the record in the file that is read
  std::string name;  // the name's bytes as stored (looked up as a C string, so up to a NUL)
};

// An image record's header, checked: width * height pixels lie in the file. The pixels are read
// from the file afterwards, a few columns at a time, so that an image never lies in memory twice.
struct ImageRecord {
  int32_t x0 = 0, y0 = 0;         // the crop rectangle's corner; the image's draw offset
  int32_t width = 0, height = 0;  // the image's size: the crop's, or the record's own
};

// A palette record, checked: P and K are at least 1 and every colour lies in the file.
struct PaletteRecord {
  int32_t paletteCount = 0;
  int32_t colourCount = 0;
  std::vector<uint8_t> colours;  // P * K colours, row after row, A B G R each
};

// The number of bytes in the file (its position is kept), or -1 when it cannot be told.
int64_t FileSize(FILE* file);

// Each reader answers an empty text when the part was read whole, or the reason it was refused;
// a refused part leaves out empty.
std::string ReadDirectory(FILE* file, int64_t fileSize, int64_t headerSize,
                          std::vector<DirectoryEntry>& out);
// Reads the header and leaves the file at the first pixel: width * height pixels, column after
// column, R G B A each.
std::string ReadImageRecord(FILE* file, int64_t fileSize, uint32_t offset, ImageRecord& out);
std::string ReadPaletteRecord(FILE* file, int64_t fileSize, uint32_t offset, PaletteRecord& out);
