#include "actors/ShooterMiniGameManager.h"

#include "actors/ShooterEnemyBase.h"
#include "core/Convert.h"
#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "world/Camera.h"

ShooterMiniGameManager::ShooterMiniGameManager() { RegisterWithLuaManager(kShooterMiniGameFamily); }

ShooterMiniGameManager::~ShooterMiniGameManager() {
  if (gShooterMiniGameManager == this) gShooterMiniGameManager = nullptr;
  for (void* enemy : enemies.Values()) DeleteEnemy(static_cast<ShooterEnemyBase*>(enemy));
  enemies.Clear();
}

void ShooterMiniGameManager::AddEnemy(const char* name, ShooterEnemyBase* enemy) {
  if (enemy == nullptr || enemies.AddTail(name, enemy) == nullptr) delete enemy;
}

void ShooterMiniGameManager::Update() {
  if (!active) return;
  enemies.ForEach([](void* enemy) { static_cast<ShooterEnemyBase*>(enemy)->Update(); });
}

void ShooterMiniGameManager::Draw(ImageObject* target, Camera* camera) {
  if (!active) return;
  // Enemies live in window pixels, as the player and its shots do in this mode: all three are
  // shifted by the view's corner, so they stay together when the view has moved.
  const int32_t left = camera != nullptr ? camera->GetViewX() : 0;
  const int32_t top = camera != nullptr ? camera->GetViewY() : 0;
  enemies.ForEach([&](void* value) {
    auto* enemy = static_cast<ShooterEnemyBase*>(value);
    enemy->Animate();
    enemy->DrawWithOffset(target, SaturatingAdd(0, -int64_t{left}),
                          SaturatingAdd(0, -int64_t{top}));
  });
}

// The destructor is virtual, so every kind goes whole.
void ShooterMiniGameManager::DeleteEnemy(ShooterEnemyBase* enemy) { delete enemy; }

ShooterEnemyBase* ShooterMiniGameManager::GetEnemyAt(int32_t index) const {
  return static_cast<ShooterEnemyBase*>(enemies.GetAt(index));
}
