#pragma once

#include "actors/ControlScheme.h"

// Mode 2: x across, z down, the map's cells read as (x, z) with any non-zero answer solid; a
// second jump in the air, steering in a jump up to the take-off speed; no shadow.
class SideViewScheme : public ControlScheme {
 public:
  void Update(Player& player) override;
  void Draw(Player& player, ImageObject* target, Camera& camera) override;

  bool HasDoubleJumped() const { return doubleJump; }

 private:
  void GroundControl(Player& player);
  void AirControl(Player& player);
  void MoveWithCollision(Player& player, float xs, float zs);

  bool doubleJump = false;
  // The speed of the last take-off, which steering in the air stays within.
  float airSpeedCap = 0.0f;
};
