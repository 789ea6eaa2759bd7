#pragma once

#include <memory>

#include "actors/ProjectileBase.h"

class AITargetBlockerPackage;

// A projectile that slides sideways, may hop under gravity onto the ground, dies at walls and
// destroys the projectiles of target list 0 that touch it. Its animation stays at its first
// frame: its update never advances the timer.
class ChillProjectile : public ProjectileBase {
 public:
  // Whether it hops is drawn from the runtime's rand.
  explicit ChillProjectile(float horizontalSpeed);
  ~ChillProjectile() override;

  void Update() override;

  bool Hops() const { return hop; }
  float GetVerticalSpeed() const { return verticalSpeed; }

 private:
  // Some cell under its bottom edge, between its side columns, is solid.
  bool IsStanding() const;
  bool TouchesWall() const;

  bool hop;
  float horizontalSpeed;
  float verticalSpeed = 0.0f;
  std::unique_ptr<AITargetBlockerPackage> blocker;
  int32_t targetMask = 1;
};
