#pragma once

#include "actors/WalkerScheme.h"

// Modes 1 and 100: the ground is the map's cells below the feet, no jumps; on the ground mode 1
// walks along the screen's axes and mode 100 along the world's. On an isometric camera the player
// stands where the projection puts it.
class IsometricScheme : public WalkerScheme {
 public:
  explicit IsometricScheme(Axes groundTable) : groundTable(groundTable) {}

  void Draw(Player& player, ImageObject* target, Camera& camera) override;
  // Mode 100.
  bool UsesWorldAxes() const { return groundTable == Axes::World; }

 protected:
  bool OnGround(const Player& player) const override;
  void GroundControl(Player& player) override;
  void AirControl(Player& player) override;

 private:
  Axes groundTable;
};
