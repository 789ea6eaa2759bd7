#pragma once

#include "world/DefinedMap.h"
#include "world/MapKind.h"

// The clip map as a map kind: loaded by its name alone, "MAPNONE" exactly, with no file and no
// script; it draws nothing and leaves the camera alone.
class ClipMapKind : public MapKind {
 public:
  static constexpr const char* kName = "MAPNONE";

  // A new clip map for that name; none for any other.
  static std::unique_ptr<MapKind> Read(const MapSource& source);

  // 1 = clipped, outside 1.
  int32_t TestCell(int32_t x, int32_t y, int32_t z) override;
  void DrawLower(ImageObject*, Camera&) override {}

  DefinedMap& GetMap() { return map; }

 private:
  DefinedMap map;
};
