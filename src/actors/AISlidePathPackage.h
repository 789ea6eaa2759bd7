#pragma once

#include <cstdint>

#include "actors/AIBasePackage.h"

struct Dimensions;

// Moves its owner with velocity, friction and gravity, pixel by pixel against the map: a cell
// that the map's cell test answers non-zero for is solid. Velocity y grows downward.
class AISlidePathPackage : public AIBasePackage {
 public:
  // Whether the cell at (x, y, z) stops a sliding body.
  using CellTest = bool (*)(int32_t x, int32_t y, int32_t z);
  // Replaces the map's cell test for this package (tests give a map of their own); none restores
  // the map's.
  void SetCellTest(CellTest test);

  AISlidePathPackage();

  void Update() override;
  // At most 50 one-pixel passes per tick, x then y in each; a blocked downward step lands.
  virtual void Move();
  virtual void SyncWith(Dimensions* body);

  // Friction x given as exactly -1 stops the horizontal slide on landing (friction x is 0 then).
  void SetPhysicsValues(double vx, double vy, double fx, double fy, double g);
  void SetSpeedLimits(double minX, double maxX, double minY, double maxY);
  void RecomputeBounds();
  // Whether the box shifted by (dx, dy), without its border pixels, touches no solid cell.
  bool CanMoveBy(int32_t dx, int32_t dy) const;

  double GetVelocityX() const { return velocityX; }
  double GetVelocityY() const { return velocityY; }
  bool IsLanded() const { return landed != 0; }

 protected:
  // The shared loop; the bouncing form reverses a blocked velocity and turns its owner.
  void MoveBody(int32_t* facing);
  // The slide is at rest; the bouncing form has its own test.
  virtual void UpdateFinished();

  Dimensions* body = nullptr;
  CellTest cellTest;
  double velocityX = 0.0;
  double velocityY = 0.0;
  double frictionX = 0.0;
  double frictionY = 0.0;
  double gravity = 0.0;
  double minVelocityX = 0.0;
  double maxVelocityX = 0.0;
  double minVelocityY = 0.0;
  double maxVelocityY = 0.0;
  uint8_t landed = 0;
  uint8_t stopOnLanding = 0;
};
