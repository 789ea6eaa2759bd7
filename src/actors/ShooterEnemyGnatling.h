#pragma once

#include "actors/ShooterEnemyBase.h"

// A small flier: speed 4 in one of 360 whole-degree directions drawn at creation, bouncing off the
// window's edges. Its pictures are the data library's images "XGnatling0" to "XGnatling3", one
// per frame of its four-frame cycle, or "XGnatling" for every frame that has none of its own.
class ShooterEnemyGnatling : public ShooterEnemyBase {
 public:
  // Draws one rand() for the direction.
  ShooterEnemyGnatling();

  // Moves, bounces at 0 and at the window's width and height, and recomputes the rectangle.
  void Update() override;
  // Advances the frame counter (0 to 8, then 0 again) and takes the picture of the frame.
  void Animate() override;

  int32_t GetFrameCounter() const { return frameCounter; }
  // The frame the counter shows: 0 to frames - 1.
  int32_t GetFrame() const;
  float GetVelocityX() const { return velocityX; }
  float GetVelocityY() const { return velocityY; }
  void SetVelocity(float x, float y) {
    velocityX = x;
    velocityY = y;
  }

 private:
  int32_t frameCounter = 0;
  int32_t frames = 4;
  int32_t ticksPerFrame = 2;
  float velocityX = 0.0f;
  float velocityY = 0.0f;
};
