#pragma once

#include <allegro5/allegro.h>

#include <cstdint>
#include <vector>

// The palettes of one palette record: P rows of K colours each. Row p, colour c is what a paletted
// image draws for its index c + 1 while row p is selected. A set always has at least one row of at
// least one colour (the container reader refuses anything smaller).
class PaletteSet {
 public:
  // Every colour starts transparent black. Counts below 1 are raised to 1.
  PaletteSet(int32_t paletteCount, int32_t colourCount);

  int32_t GetPaletteCount() const { return paletteCount; }
  int32_t GetColourCount() const { return colourCount; }

  // Row p's K colours, or none when p lies outside 0..P-1.
  const ALLEGRO_COLOR* GetRow(int32_t row) const;
  // Colour c of row p; transparent black outside the set.
  ALLEGRO_COLOR GetColour(int32_t row, int32_t colour) const;
  // Ignored outside the set.
  void SetColour(int32_t row, int32_t colour, ALLEGRO_COLOR value);

 private:
  bool Contains(int32_t row, int32_t colour) const {
    return row >= 0 && row < paletteCount && colour >= 0 && colour < colourCount;
  }

  int32_t paletteCount;
  int32_t colourCount;
  std::vector<ALLEGRO_COLOR> rows;  // row after row, K colours each
};
