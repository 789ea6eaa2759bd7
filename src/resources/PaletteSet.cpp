#include "resources/PaletteSet.h"

#include <algorithm>

PaletteSet::PaletteSet(int32_t paletteCount, int32_t colourCount)
    : paletteCount(std::max(paletteCount, 0)),
      colourCount(std::max(colourCount, 0)),
      rows(static_cast<size_t>(this->paletteCount),
           std::vector<ALLEGRO_COLOR>(static_cast<size_t>(this->colourCount),
                                      ALLEGRO_COLOR{0.0f, 0.0f, 0.0f, 0.0f})) {}
