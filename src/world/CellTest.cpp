#include "world/CellTest.h"

#include "core/Globals.h"
#include "world/MapManager.h"

namespace {

int32_t TestCell(int32_t x, int32_t y, int32_t z) {
  return gMapManager != nullptr ? gMapManager->TestCell(x, y, z) : 0;
}

}  // namespace

bool CellIsFreeForWalker(int32_t x, int32_t y, int32_t z) { return TestCell(x, y, z) == 1; }

bool CellIsSolid(int32_t x, int32_t y, int32_t z) { return TestCell(x, y, z) != 0; }
