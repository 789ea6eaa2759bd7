#pragma once

#include <memory>

#include "actors/ControlScheme.h"
#include "actors/WeaponSelector.h"

struct Dimensions;

// Mode 3: x and z inside the window at a fixed speed, no collision, no gravity; the weapon keys
// pick a weapon and a held mouse button fires toward the aim, both read through gShooterInput
// (none: not held, aimed at (0, 0)).
class ShooterScheme : public ControlScheme {
 public:
  // Shots leave from the player's box.
  explicit ShooterScheme(const Dimensions* box);
  ShooterScheme(const ShooterScheme&) = delete;
  ShooterScheme& operator=(const ShooterScheme&) = delete;

  void Update(Player& player) override;
  void Draw(Player& player, ImageObject* target, Camera& camera) override;

  WeaponSelector& GetWeapons() { return weapons; }

 private:
  WeaponSelector weapons;
};
