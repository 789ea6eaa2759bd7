#include "actors/WeaponSelector.h"

#include <utility>

#include "actors/ObjectManager.h"
#include "actors/ShooterMachineGunBullet.h"
#include "core/Dimensions.h"
#include "core/Globals.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"

namespace {

constexpr int32_t kSelectCooldown = 180;
constexpr float kBulletSpeed = 12.0f;
constexpr const char* kShotName = "XVexmoraShot";

}  // namespace

WeaponSelector::WeaponSelector(const Dimensions* shooter, AimSource aim)
    : shooter(shooter), aim(std::move(aim)) {}

void WeaponSelector::Select(int32_t n) {
  if (n < 1 || n > 5) return;
  weapon = n;
  cooldown = kSelectCooldown;
}

void WeaponSelector::Tick() {
  if (cooldown > 0) --cooldown;
}

void WeaponSelector::Fire() {
  if (cooldown > 0 || gObjectManager == nullptr) return;
  auto* bullet = new ShooterMachineGunBullet();
  if (shooter != nullptr) bullet->SetCoordinates(shooter->x, 0, shooter->z);
  cooldown = 1;
  float x = 0.0f, y = 0.0f;
  if (aim) aim(x, y);
  bullet->Aim(x, y, kBulletSpeed);
  if (gDataLibrary != nullptr) bullet->SetImage(gDataLibrary->FindByName<ImageObject>(kShotName));
  gObjectManager->Add(kShotName, bullet);
}
