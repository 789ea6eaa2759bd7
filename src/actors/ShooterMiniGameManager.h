#pragma once

#include <cstdint>
#include <lua.hpp>

#include "core/RLL.h"
#include "core/script/ScriptFamily.h"

class Camera;
class ImageObject;
class ShooterEnemyBase;

// The shooter mini-game's enemies. While the mini-game is active they are updated every tick and
// drawn every frame; switched off, they stay where they are. Nothing removes an enemy: they
// outlive map changes and the manager keeps them until it is destroyed.
class ShooterMiniGameManager {
 public:
  // Inactive, no enemies; registers "SMM_SetActivity" and "SE_SpawnGnatling".
  ShooterMiniGameManager();
  // Deletes every enemy.
  ~ShooterMiniGameManager();
  ShooterMiniGameManager(const ShooterMiniGameManager&) = delete;
  ShooterMiniGameManager& operator=(const ShooterMiniGameManager&) = delete;

  // Appends at the tail; the manager owns the enemy from now on. A none enemy adds nothing.
  void AddEnemy(const char* name, ShooterEnemyBase* enemy);
  // While active: every enemy's Update, in list order.
  void Update();
  // While active, for every enemy in list order: its Animate, then its drawing at its window
  // position relative to the camera's view, as the player and the shots are placed.
  void Draw(ImageObject* target, Camera* camera);
  void DeleteEnemy(ShooterEnemyBase* enemy);

  void SetActive(bool on) { active = on; }
  bool IsActive() const { return active; }
  int32_t GetCount() const { return enemies.GetCount(); }
  ShooterEnemyBase* GetEnemyAt(int32_t index) const;

 private:
  bool active = false;
  RLL enemies;
};

// "SMM_SetActivity", "SE_SpawnGnatling"; the manager's constructor registers them.
extern const ScriptFamily kShooterMiniGameFamily;
