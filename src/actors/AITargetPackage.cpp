#include "actors/AITargetPackage.h"

#include "actors/NonPlayingCharacter.h"
#include "actors/TargetRegistry.h"
#include "core/Globals.h"
#include "core/Graveyard.h"
#include "core/Log.h"

AITargetPackage::AITargetPackage() { typeCode = AIType::kTarget; }

void AITargetPackage::SyncWith(int32_t* newMask, NonPlayingCharacter* owner) {
  mask = newMask;
  npc = owner;
  synced = mask != nullptr && npc != nullptr ? 1 : 0;
  if (synced == 0) {
    Log("AITP SyncWith:  Failed, one of the pointers was invalid\n");
    Log("Dump:  %p %p\n", static_cast<void*>(newMask), static_cast<void*>(owner));
  }
}

void AITargetPackage::Update() {
  if (synced == 0 || gTargetRegistry == nullptr) return;
  NonPlayingCharacter* owner = npc;
  const Graveyard& graveyard = ProcessGraveyard();
  gTargetRegistry->ForEachOverlapping(*mask, owner->GetDimensions().Rect(),
                                      [owner, &graveyard](ProjectileBase* projectile) {
                                        owner->OnHit(projectile);
                                        return !graveyard.IsRetired(owner);
                                      });
}
