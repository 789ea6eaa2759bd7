#include "actors/ShooterMachineGunBullet.h"

#include <cmath>
#include <cstdlib>

#include "core/Convert.h"
#include "core/Globals.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kGravity = 0.2f;

}  // namespace

void ShooterMachineGunBullet::Aim(float targetX, float targetY, float speed) {
  float angle = static_cast<float>(std::atan2(targetY - static_cast<float>(dimensions.z),
                                              targetX - static_cast<float>(dimensions.x)));
  const int r1 = std::rand();
  const int r2 = std::rand();
  // A spread of -5.0 to +4.9 degrees in tenths, and of -0.5 to +0.4 in the speed.
  angle += static_cast<float>((r1 % 100 - 50) / 10.0 * kPi / 180.0);
  const float velocity = speed + static_cast<float>((r2 % 10 - 5) / 10.0);
  velocityX = static_cast<float>(std::cos(double{angle}) * velocity);
  velocityY = static_cast<float>(std::sin(double{angle}) * velocity);
}

void ShooterMachineGunBullet::Update() {
  // On the box of the previous tick.
  if (dimensions.maxX < 0 || dimensions.minX >= gScreenWidth || dimensions.minZ >= gScreenHeight) {
    dead = true;
  }
  velocityY += kGravity;
  dimensions.x = ToInt32(static_cast<float>(dimensions.x) + velocityX);
  dimensions.minX = SaturatingAdd(dimensions.x, -(dimensions.w / 2));
  dimensions.maxX = SaturatingAdd(dimensions.x, dimensions.w / 2);
  dimensions.z = ToInt32(static_cast<float>(dimensions.z) + velocityY);
  dimensions.minZ = SaturatingAdd(dimensions.z, -(dimensions.d / 2));
  dimensions.maxZ = SaturatingAdd(dimensions.z, dimensions.d / 2);
}

void ShooterMachineGunBullet::Draw(ImageObject* target, Camera* camera) {
  int32_t left, top;
  ViewCorner(camera, left, top);
  DrawAt(target, SaturatingAdd(dimensions.minX, -int64_t{left}),
         SaturatingAdd(dimensions.minZ, -int64_t{top}));
}
