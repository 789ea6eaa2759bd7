#pragma once

#include <allegro5/allegro.h>

#include <cstdint>
#include <vector>

// Rows of colours that paletted images draw with: row p, colour c is what an image pixel of index
// c + 1 becomes while row p is selected. Every row holds the same number of colours.
class PaletteSet {
 public:
  // Every colour starts transparent black; a negative count is taken as 0.
  PaletteSet(int32_t paletteCount, int32_t colourCount);

  int32_t GetPaletteCount() const { return paletteCount; }
  int32_t GetColourCount() const { return colourCount; }
  bool Contains(int32_t row, int32_t colour) const {
    return row >= 0 && row < paletteCount && colour >= 0 && colour < colourCount;
  }
  // Transparent black outside the set.
  ALLEGRO_COLOR GetColour(int32_t row, int32_t colour) const {
    if (!Contains(row, colour)) return ALLEGRO_COLOR{0.0f, 0.0f, 0.0f, 0.0f};
    return rows[static_cast<size_t>(row)][static_cast<size_t>(colour)];
  }
  // Nothing outside the set.
  void SetColour(int32_t row, int32_t colour, ALLEGRO_COLOR value) {
    if (Contains(row, colour)) rows[static_cast<size_t>(row)][static_cast<size_t>(colour)] = value;
  }

 private:
  int32_t paletteCount;
  int32_t colourCount;
  std::vector<std::vector<ALLEGRO_COLOR>> rows;
};
