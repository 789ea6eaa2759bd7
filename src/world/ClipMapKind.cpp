#include "world/ClipMapKind.h"

std::unique_ptr<MapKind> ClipMapKind::Read(const MapSource& source) {
  if (source.name != kName) return nullptr;
  return std::make_unique<ClipMapKind>();
}

int32_t ClipMapKind::TestCell(int32_t x, int32_t y, int32_t) { return map.GetCell(x, y); }
