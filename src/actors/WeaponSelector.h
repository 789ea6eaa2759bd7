#pragma once

#include <cstdint>
#include <functional>

struct Dimensions;

// The shooter mode's weapon and its cooldown. Whatever the weapon, a shot is a machine-gun
// bullet; choosing a weapon only holds the fire back for 180 ticks.
class WeaponSelector {
 public:
  // Where the pointer is, in window pixels.
  using AimSource = std::function<void(float& x, float& y)>;

  // Shots leave from the shooter's centre (its x and z) toward the aim; with no aim source they
  // go toward (0, 0).
  WeaponSelector(const Dimensions* shooter, AimSource aim);

  // 1 to 5: that weapon, and a cooldown of 180 ticks; other numbers change nothing.
  void Select(int32_t weapon);
  // The cooldown counts down to 0.
  void Tick();
  // While the cooldown is 0: a bullet "XVexmoraShot" from the shooter's centre toward the aim at
  // 12 pixels a tick, handed to the object manager (whose active object it becomes), and a
  // cooldown of 1. The bullet is drawn with the data library's image "XVexmoraShot" when there is
  // one. Nothing without an object manager.
  void Fire();

  int32_t GetWeapon() const { return weapon; }
  int32_t GetCooldown() const { return cooldown; }

 private:
  const Dimensions* shooter;
  AimSource aim;
  int32_t weapon = 1;
  int32_t cooldown = 0;
};
