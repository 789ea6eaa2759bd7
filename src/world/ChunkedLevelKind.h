#pragma once

#include <functional>
#include <memory>

#include "world/ChunkLoader.h"
#include "world/MapKind.h"

// The chunked level as a map kind: opened from its ".plf" file, streamed around the player each
// tick, drawn in two passes with the player between them, on a camera in map mode 0 bounded by
// the level; its script runs with code -2 when the file is there.
class ChunkedLevelKind : public MapKind {
 public:
  static constexpr const char* kEnding = ".plf";
  static constexpr int32_t kScriptCode = -2;

  explicit ChunkedLevelKind(std::unique_ptr<ChunkLoader> level) : level(std::move(level)) {}

  // Opens the file in a loader that make gives, whether or not the level then opens; none, with
  // "Failed to find file!" or "Failed to find default camera!", when either is missing.
  static std::unique_ptr<MapKind> Read(const MapSource& source,
                                       const std::function<std::unique_ptr<ChunkLoader>()>& make);

  // 1 = free: the level's clip layer lies 65 pixels above the point asked for.
  int32_t TestCell(int32_t x, int32_t y, int32_t z) override;
  void DrawLower(ImageObject* target, Camera& camera) override;
  void DrawUpper(ImageObject* target, Camera& camera) override;
  // Streams the level around the player, then sets the player's game mode to 0.
  void Tick() override;
  std::optional<uint8_t> GetCameraMapMode() const override { return 0; }
  void RunScript(const std::string& name) override;
  // The level's size wins over the camera boundaries the script set, and the block around where
  // the script put the player is read.
  void AfterScript() override;

 private:
  // Makes the 5 x 5 block around the player's chunk the active one; false without a player.
  bool FollowPlayer();

  std::unique_ptr<ChunkLoader> level;
};
