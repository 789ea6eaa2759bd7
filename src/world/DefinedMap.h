#pragma once

#include <cstdint>
#include <lua.hpp>
#include <vector>

#include "core/script/ScriptFamily.h"

// The map kind that scripts build themselves: one byte per world pixel, 0 free and 1 clipped, and
// nothing drawn. The grid is column-major (cell (x, y) is byte y of column x).
class DefinedMap {
 public:
  // 0 x 0; registers the clip-map script functions (again at every creation).
  DefinedMap();
  DefinedMap(const DefinedMap&) = delete;
  DefinedMap& operator=(const DefinedMap&) = delete;

  int32_t GetColumns() const { return columns; }
  int32_t GetRows() const { return rows; }
  // 1 outside the grid.
  uint8_t GetCell(int32_t x, int32_t y) const;
  // A new grid of free cells (negative sizes count as 0); then the active camera's boundaries
  // become (0, 0, columns, rows) and its view is recomputed. A grid that cannot be allocated
  // (or holds more than 2^28 cells) leaves 0 x 0 after one failure line; the camera is set to that.
  void SetDimensions(int32_t columns, int32_t rows);
  // Sets the half-open rectangle [x1, x2) x [y1, y2), cut to the grid, to the value (logged);
  // an empty or inverted rectangle does nothing and logs nothing.
  void ClipArea(uint8_t value, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void ClearClipping();
  // One pixel of (128, 128, 0) on the current drawing target per clipped cell.
  void DrawDebug() const;

 private:
  int32_t columns = 0;
  int32_t rows = 0;
  std::vector<uint8_t> cells;
};

// "DefinedMap_SetDimensions", "DefinedMap_ClipArea", "DefinedMap_ClearClipping"; each clip map's
// constructor registers them.
extern const ScriptFamily kClipMapFamily;
