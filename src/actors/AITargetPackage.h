#pragma once

#include "actors/AIBasePackage.h"

class NonPlayingCharacter;
class ProjectileBase;

// An enemy's eyes: each update hands the enemy every projectile of the selected target lists
// that overlaps it (a projectile in two selected lists twice). The enemy's hit reaction may
// change the map; the search stops as soon as the enemy has been retired.
class AITargetPackage : public AIBasePackage {
 public:
  AITargetPackage();

  void Update() override;
  // Synced when both are there; otherwise logs the failure and the two addresses.
  virtual void SyncWith(int32_t* mask, NonPlayingCharacter* npc);

 private:
  int32_t* mask = nullptr;
  NonPlayingCharacter* npc = nullptr;
};
