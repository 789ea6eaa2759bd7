#pragma once

#include <cstdint>
#include <functional>

#include "world/WorldPlayer.h"

// The player as the world sees it, for tests that bind it in gWorldPlayer: bounds the test sets
// (none when hasBounds is false), and each other call handed to the step the test gives, if any.
class PlayerStandIn : public WorldPlayer {
 public:
  Dimensions* GetDimensions() override {
    if (onRead) onRead();
    return hasBounds ? &bounds : nullptr;
  }
  void SetPosition(float x, float y, float z) override {
    if (onPlace) onPlace(x, y, z);
  }
  void SetGameMode(int32_t mode) override {
    if (onMode) onMode(mode);
  }
  void Draw(ImageObject* target, Camera* camera) override {
    if (onDraw) onDraw(target, camera);
  }
  void DrawAtStoredPosition() override {
    if (onDrawStored) onDrawStored();
  }

  // The centre only; the box stays as it is.
  void PlaceCentre(int32_t x, int32_t y, int32_t z = 0) { bounds.SetCentre(x, y, z); }
  void PlaceBox(const RectRecord& box) {
    bounds.minX = box.left, bounds.minY = box.top, bounds.maxX = box.right;
    bounds.maxY = box.bottom;
  }

  Dimensions bounds;
  bool hasBounds = true;
  std::function<void()> onRead;
  std::function<void(float x, float y, float z)> onPlace;
  std::function<void(int32_t mode)> onMode;
  std::function<void(ImageObject* target, Camera* camera)> onDraw;
  std::function<void()> onDrawStored;
};
