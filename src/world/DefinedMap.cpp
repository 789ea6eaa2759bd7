#include "world/DefinedMap.h"

#include <allegro5/allegro.h>

#include <algorithm>
#include <new>

#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "world/Camera.h"
#include "world/CameraManager.h"

namespace {

// A grid past this many cells is refused like one the allocator refuses (256 MiB; a
// 16384 x 16384 world).
constexpr int64_t kMaxCells = int64_t{1} << 28;

}  // namespace

DefinedMap::DefinedMap() { RegisterWithLuaManager(kClipMapFamily); }

uint8_t DefinedMap::GetCell(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= columns || y >= rows) return 1;
  return cells[static_cast<size_t>(x) * static_cast<size_t>(rows) + static_cast<size_t>(y)];
}

void DefinedMap::SetDimensions(int32_t newColumns, int32_t newRows) {
  cells.clear();
  cells.shrink_to_fit();
  columns = 0;
  rows = 0;
  const int64_t width = std::max(newColumns, 0);
  const int64_t height = std::max(newRows, 0);
  bool allocated = width * height <= kMaxCells;
  if (allocated) {
    try {
      cells.assign(static_cast<size_t>(width * height), 0);
    } catch (const std::bad_alloc&) {
      allocated = false;
    }
  }
  if (allocated) {
    columns = static_cast<int32_t>(width);
    rows = static_cast<int32_t>(height);
  } else {
    Log("DefinedMap SetDimensions:  Failed, could not allocate %lli by %lli cells\n",
        static_cast<long long>(width), static_cast<long long>(height));
  }
  if (gCameraManager == nullptr) return;
  Camera* camera = gCameraManager->GetActiveCamera();
  if (camera == nullptr) return;
  camera->SetBoundaries(0, 0, columns, rows);
  camera->Recompute();
}

void DefinedMap::ClipArea(uint8_t value, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (x1 >= x2 || y1 >= y2) return;
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, columns);
  y2 = std::min(y2, rows);
  Log("Set clipping %i %i %i %i\n", x1, y1, x2, y2);
  for (int32_t x = x1; x < x2; ++x) {
    uint8_t* column = cells.data() + static_cast<size_t>(x) * static_cast<size_t>(rows);
    for (int32_t y = y1; y < y2; ++y) column[y] = value;
  }
}

void DefinedMap::ClearClipping() { std::fill(cells.begin(), cells.end(), uint8_t{0}); }

void DefinedMap::DrawDebug() const {
  const ALLEGRO_COLOR colour = al_map_rgb(128, 128, 0);
  for (int32_t x = 0; x < columns; ++x) {
    for (int32_t y = 0; y < rows; ++y) {
      if (GetCell(x, y) != 0) al_put_pixel(x, y, colour);
    }
  }
}
