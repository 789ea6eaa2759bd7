#pragma once

#include "actors/ControlScheme.h"

// What the default and isometric schemes share: speed from the toggles and holds, a ground step
// (walk, buck, perhaps jump) and an air step (jump, fall, perhaps fly), then the move with
// collision and the landing.
class WalkerScheme : public ControlScheme {
 public:
  void Update(Player& player) override;

 protected:
  // Whether the player stands on something this tick.
  virtual bool OnGround(const Player& player) const = 0;
  virtual void GroundControl(Player& player) = 0;
  virtual void AirControl(Player& player) = 0;

  // The ground step; only the default scheme jumps.
  static void Ground(Player& player, Axes table, bool canJump);
  // The air step; only the default scheme starts flight from a jump or a fall.
  static void Air(Player& player, Axes table, bool jumpStartsFlight);
};
