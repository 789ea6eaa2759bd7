#pragma once

#include <optional>
#include <string>

#include "actors/NonPlayingCharacter.h"

// An NPC that projectiles can hit: its own target package finds the projectiles of target list 0
// that touch it on every update. A hit lands at most once in 120 updates and runs the hit-reaction
// script with the projectile's id; every touching projectile is killed. Damage and health are
// the scripts' business.
class NPCBaseEnemy : public NonPlayingCharacter {
 public:
  static constexpr int32_t kHitTimerTicks = 120;

  NPCBaseEnemy();
  ~NPCBaseEnemy() override;

  void OnHit(ProjectileBase* projectile) override;
  // Searches for hits and counts the hit timer down, for every event.
  bool IsActiveFor(int32_t mode) override;
  // The list is drawn with the hit palette in the flashing phases of the hit timer.
  void UpdateAppearance() override;
  // "Health" and "FlipFlag".
  PropertyRef GetSubclassPropertyAddress(const char* name) override;

  void SetHitReactionScript(const char* path);
  int32_t GetHitTimer() const { return hitTimer; }
  int32_t GetHealth() const { return health; }

 private:
  int32_t health = 32;
  std::optional<std::string> hitReactionScript;
  int32_t hitTimer = 0;
  int32_t hitPalette = 0;
  int32_t flipFlag = 0;
};
