#include "actors/NPCBaseEnemy.h"

#include <cstring>

#include "actors/AIDrawingList.h"
#include "actors/AITargetPackage.h"
#include "actors/ProjectileBase.h"
#include "core/Convert.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Graveyard.h"
#include "core/script/LuaManager.h"

NPCBaseEnemy::NPCBaseEnemy() {
  type = kEnemyType;
  scriptArgument = -1;
  targetMask = 1;
  targetPackage = std::make_unique<AITargetPackage>();
  targetPackage->SyncWith(&targetMask, this);
}

NPCBaseEnemy::~NPCBaseEnemy() = default;

void NPCBaseEnemy::OnHit(ProjectileBase* projectile) {
  if (gEntityManager != nullptr) gEntityManager->SetActiveEntity(this);
  if (hitTimer == 0) {
    hitTimer = kHitTimerTicks;
    projectile->SetHitSucceeded();
    if (hitReactionScript && gLuaManager != nullptr) {
      gLuaManager->ExecuteScript(hitReactionScript->c_str(), projectile->GetID());
    }
  }
  // Touches only the projectile, which no script can delete: safe even when the script retired
  // this enemy.
  projectile->OnKill();
  projectile->RegisterHit();
}

bool NPCBaseEnemy::IsActiveFor(int32_t) {
  targetPackage->Update();
  if (ProcessGraveyard().IsRetired(this)) return false;
  if (hitTimer > 0) --hitTimer;
  return true;
}

void NPCBaseEnemy::UpdateAppearance() {
  if (!drawingList) return;
  drawingList->SetPaletteOverride(hitTimer % 8 <= 3 ? 0 : hitPalette);
  drawingList->Draw(&appearance, 0, 0, flipFlag);
}

PropertyRef NPCBaseEnemy::GetSubclassPropertyAddress(const char* name) {
  if (std::strcmp(name, "Health") == 0) return PropertyRef::Integer(health, GetLifetimeToken());
  if (std::strcmp(name, "FlipFlag") == 0) {
    return PropertyRef::Integer(flipFlag, GetLifetimeToken());
  }
  return PropertyRef();
}

void NPCBaseEnemy::SetHitReactionScript(const char* path) {
  hitReactionScript = OptionalText(path);
}
