#pragma once

#include "actors/WalkerScheme.h"

// Every mode without a scheme of its own: a flat floor at z 0, the world axes, jumps that turn
// into flight; steps probe 4 pixels ahead.
class DefaultScheme : public WalkerScheme {
 public:
  void Draw(Player& player, ImageObject* target, Camera& camera) override;
  int32_t GetProbe() const override { return 4; }

 protected:
  bool OnGround(const Player& player) const override;
  void GroundControl(Player& player) override;
  void AirControl(Player& player) override;
};
