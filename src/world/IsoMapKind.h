#pragma once

#include <functional>
#include <memory>

#include "world/IsoMap.h"
#include "world/MapKind.h"

// The isometric map as a map kind: read from its ".slf" file, drawn in one pass with the player
// between its blocks, on a camera in map mode 1; its script runs with code -1 whether or not the
// file is there.
class IsoMapKind : public MapKind {
 public:
  static constexpr const char* kEnding = ".slf";
  static constexpr int32_t kScriptCode = -1;

  explicit IsoMapKind(std::unique_ptr<IsoMap> map) : map(std::move(map)) {}

  // Reads the file into a map that make gives: "MapManager:  Reading file from <path> - " and
  // "Done" or "Failed"; a failure keeps neither the map nor the file, and says the chunked level
  // is tried next.
  static std::unique_ptr<MapKind> Read(const MapSource& source,
                                       const std::function<std::unique_ptr<IsoMap>()>& make);

  // 1 = free; outside 0.
  int32_t TestCell(int32_t x, int32_t y, int32_t z) override;
  void DrawLower(ImageObject* target, Camera& camera) override;
  std::optional<uint8_t> GetCameraMapMode() const override { return 1; }
  void RunScript(const std::string& name) override;

  IsoMap& GetMap() { return *map; }

 private:
  std::unique_ptr<IsoMap> map;
};
