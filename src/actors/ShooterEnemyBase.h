#pragma once

#include <cstdint>

#include "core/RootObject.h"

class ImageObject;

// Type codes of the shooter mini-game's enemies.
namespace ShooterEnemyType {
inline constexpr int32_t kBase = 4000;
inline constexpr int32_t kGnatling = 4001;
}  // namespace ShooterEnemyType

// An enemy of the shooter mini-game: a rectangle around a centre in window pixels, drawn from its
// image or, without one, from its borrowed fallback image. The base neither moves nor animates.
class ShooterEnemyBase : public RootObject {
 public:
  ShooterEnemyBase();
  // Virtual, so an enemy of any kind is destroyed whole through this base.
  virtual ~ShooterEnemyBase();

  // Stores both parameters; nothing reads them.
  virtual void Set(int32_t first, int32_t second);
  // Once per tick while the mini-game is active.
  virtual void Update() {}
  // Once per drawn frame while the mini-game is active, before the enemy is drawn.
  virtual void Animate() {}

  // Centre (x, y), size (width, height), and the rectangle from them.
  void SetRect(int32_t x, int32_t y, int32_t width, int32_t height);
  // min := trunc(centre - size / 2), max := trunc(centre + size / 2), halves truncated to whole
  // pixels first.
  void RecomputeRect();
  // At the rectangle's corner plus the draw offset plus (ox, oy).
  void DrawWithOffset(ImageObject* target, int32_t ox, int32_t oy);
  // The image, else the fallback image, at (x, y) of the target with the draw flags; neither
  // draws nothing.
  void DrawAt(ImageObject* target, int32_t x, int32_t y);

  void SetFallbackImage(ImageObject* borrowed) { fallbackImage = borrowed; }
  ImageObject* GetFallbackImage() const { return fallbackImage; }

  int32_t GetFirst() const { return first; }
  int32_t GetSecond() const { return second; }
  int32_t GetMinX() const { return minX; }
  int32_t GetMaxX() const { return maxX; }
  int32_t GetMinY() const { return minY; }
  int32_t GetMaxY() const { return maxY; }
  float GetCentreX() const { return centreX; }
  float GetCentreY() const { return centreY; }
  void SetCentre(float x, float y) {
    centreX = x;
    centreY = y;
  }

 protected:
  int32_t first = 1;
  int32_t second = 0;
  int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;
  int32_t width = 0, height = 0;
  float centreX = 0.0f, centreY = 0.0f;
  int32_t drawFlags = 0;
  int32_t drawOffsetX = 0, drawOffsetY = 0;
  ImageObject* image = nullptr;  // owned: destroyed with the enemy
  ImageObject* fallbackImage = nullptr;
};
