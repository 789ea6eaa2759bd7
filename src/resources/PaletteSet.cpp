#include "resources/PaletteSet.h"

#include <algorithm>

PaletteSet::PaletteSet(int32_t paletteCount, int32_t colourCount)
    : paletteCount(std::max(paletteCount, 1)),
      colourCount(std::max(colourCount, 1)),
      rows(static_cast<size_t>(this->paletteCount) * static_cast<size_t>(this->colourCount),
           ALLEGRO_COLOR{0, 0, 0, 0}) {}

const ALLEGRO_COLOR* PaletteSet::GetRow(int32_t row) const {
  if (!Contains(row, 0)) return nullptr;
  return rows.data() + static_cast<size_t>(row) * static_cast<size_t>(colourCount);
}

ALLEGRO_COLOR PaletteSet::GetColour(int32_t row, int32_t colour) const {
  if (!Contains(row, colour)) return ALLEGRO_COLOR{0, 0, 0, 0};
  return GetRow(row)[colour];
}

void PaletteSet::SetColour(int32_t row, int32_t colour, ALLEGRO_COLOR value) {
  if (!Contains(row, colour)) return;
  rows[static_cast<size_t>(row) * static_cast<size_t>(colourCount) + static_cast<size_t>(colour)] =
      value;
}
