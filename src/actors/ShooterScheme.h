#pragma once

#include <functional>
#include <memory>

#include "actors/ControlScheme.h"
#include "actors/WeaponSelector.h"

struct Dimensions;

// Mode 3: x and z inside the window at a fixed speed, no collision, no gravity; the weapon keys
// pick a weapon and a held mouse button fires toward the aim.
class ShooterScheme : public ControlScheme {
 public:
  // Shots leave from the player's box.
  explicit ShooterScheme(const Dimensions* box);
  ShooterScheme(const ShooterScheme&) = delete;
  ShooterScheme& operator=(const ShooterScheme&) = delete;

  void Update(Player& player) override;
  void Draw(Player& player, ImageObject* target, Camera& camera) override;

  // Whether a mouse button is held; none reads as not held.
  void SetMouseHeldSource(std::function<bool()> source) { mouseHeld = std::move(source); }
  // Where the shots aim (the mouse, in window pixels); none aims at (0, 0).
  void SetAimSource(WeaponSelector::AimSource source) { aimSource = std::move(source); }
  WeaponSelector& GetWeapons() { return weapons; }

 private:
  std::function<bool()> mouseHeld;
  WeaponSelector::AimSource aimSource;
  WeaponSelector weapons;
};
