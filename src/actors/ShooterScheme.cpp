#include "actors/ShooterScheme.h"

#include "actors/Player.h"
#include "actors/ShooterInput.h"
#include "core/Globals.h"

namespace {

constexpr float kShooterSpeed = 3.0f;
constexpr const char* kWeapons[] = {"Weapon1", "Weapon2", "Weapon3", "Weapon4", "Weapon5"};

// Moves by the speeds and keeps x and z inside the window.
void Move(Player::Motion& motion) {
  motion.xPos += motion.xSpeed;
  motion.zPos += motion.zSpeed;
  const float width = static_cast<float>(gScreenWidth);
  const float height = static_cast<float>(gScreenHeight);
  if (motion.xPos < 0.0f) {
    motion.xPos = 0.0f;
  } else if (motion.xPos >= width) {
    motion.xPos = width;
  }
  if (motion.zPos < 0.0f) {
    motion.zPos = 0.0f;
  } else if (motion.zPos >= height) {
    motion.zPos = height;
  }
}

}  // namespace

ShooterScheme::ShooterScheme(const Dimensions* box)
    : weapons(box, [](float& x, float& y) {
        if (gShooterInput != nullptr) gShooterInput->Aim(x, y);
      }) {}

void ShooterScheme::Update(Player& player) {
  Player::Motion& motion = player.GetMotion();
  motion.zSpeed = static_cast<float>(player.Axis("Up", "Down")) * kShooterSpeed;
  motion.direction = 2;
  // Before the move: the box shows where the tick started.
  player.RecomputeBounds();
  motion.xSpeed = static_cast<float>(player.Axis("Left", "Right")) * kShooterSpeed;
  for (int32_t weapon = 0; weapon < 5; ++weapon) {
    if (!player.Pressed(kWeapons[weapon])) continue;
    weapons.Select(weapon + 1);
    break;
  }
  weapons.Tick();
  if (gShooterInput != nullptr && gShooterInput->MouseHeld()) weapons.Fire();
  Move(motion);
  player.AdvanceWalkCounter();
}

void ShooterScheme::Draw(Player& player, ImageObject* target, Camera& camera) {
  player.DrawShooter(target, camera);
}
