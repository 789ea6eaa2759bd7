#pragma once

#include "actors/AIBasePackage.h"

struct Dimensions;

// Destroys the projectiles of the target lists its mask selects that touch a fixed rectangle
// (the box of the projectile that owns it): each gets OnKill, then RegisterHit.
class AITargetBlockerPackage : public AIBasePackage {
 public:
  AITargetBlockerPackage();

  void Update() override;
  // Synced when both are there; otherwise logs the failure and the two addresses.
  virtual void SyncWith(int32_t* mask, Dimensions* rectangle);

 private:
  int32_t* mask = nullptr;
  Dimensions* rectangle = nullptr;
};
