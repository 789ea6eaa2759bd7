#include "actors/AITargetBlockerPackage.h"

#include "actors/ProjectileBase.h"
#include "actors/TargetRegistry.h"
#include "core/Dimensions.h"
#include "core/Globals.h"
#include "core/Log.h"

AITargetBlockerPackage::AITargetBlockerPackage() { typeCode = AIType::kTargetBlocker; }

void AITargetBlockerPackage::SyncWith(int32_t* newMask, Dimensions* newRectangle) {
  mask = newMask;
  rectangle = newRectangle;
  synced = mask != nullptr && rectangle != nullptr ? 1 : 0;
  if (synced == 0) {
    Log("AITBP SyncWith:  Failed, one of the pointers was invalid\n");
    Log("Dump:  %p %p\n", static_cast<void*>(newMask), static_cast<void*>(newRectangle));
  }
}

void AITargetBlockerPackage::Update() {
  if (synced == 0 || gTargetRegistry == nullptr) return;
  gTargetRegistry->ForEachOverlapping(*mask, rectangle->Rect(), [](ProjectileBase* projectile) {
    projectile->OnKill();
    projectile->RegisterHit();
    return true;
  });
}
