#pragma once

#include <allegro5/allegro.h>

#include <cstdint>
#include <string>
#include <vector>

// One OpenGL display for a whole test program, created on first use and kept until exit (Allegro
// destroys it at shutdown). Answers null when there is no X display to open it on; a test then
// skips rather than fails. Creating it where an X display exists but OpenGL does not work is an
// error the caller should fail on (see GLDisplayError).
ALLEGRO_DISPLAY* SharedGLDisplay(int width = 256, int height = 256);
// Why SharedGLDisplay answered null: empty when there is simply no X display.
const std::string& GLDisplayError();

// The pixels of a bitmap as bytes r, g, b, a, row by row from the top.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;

  const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

PixelImage ReadPixels(ALLEGRO_BITMAP* bitmap);

// Compares two images channel by channel. A pixel matches when no channel differs by more than
// `tolerance` from the expected pixel or, with `slack` 1, from one of its eight neighbours (turned
// quads may sample the next texel where a pixel centre falls on a texel edge). The answer is empty
// when every pixel matches, otherwise it names the count and the first few that do not.
std::string ComparePixels(const PixelImage& expected, const PixelImage& actual, int tolerance,
                          int slack = 0);

// A video bitmap of the given size whose pixels all differ from each other and from their
// neighbours, with a band of half-transparent and a block of fully transparent pixels, so that
// misplaced, mirrored or wrongly blended pixels show. Needs a current display.
ALLEGRO_BITMAP* MakePatternBitmap(int width, int height);
