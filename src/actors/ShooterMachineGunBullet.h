#pragma once

#include "actors/ShooterProjectileBase.h"

// A machine-gun shot in the window plane (the object's x and z): it flies where it was aimed,
// falls under gravity, and dies once it has left the window to the left, to the right or below
// (never above). Its box is its centre point.
class ShooterMachineGunBullet : public ShooterProjectileBase {
 public:
  ShooterMachineGunBullet() { typeCode = ObjectType::kMachineGunBullet; }

  // Toward (targetX, targetY) from the centre's x and z, spread by up to 5 degrees and speed by
  // up to half a pixel per tick: two rand() draws.
  void Aim(float targetX, float targetY, float speed);
  void Update() override;
  // At the box's corner (x and z) relative to the camera's view.
  void Draw(ImageObject* target, Camera* camera) override;

  float GetVelocityX() const { return velocityX; }
  float GetVelocityY() const { return velocityY; }
  void SetVelocity(float x, float y) {
    velocityX = x;
    velocityY = y;
  }
  void SetImage(ImageObject* borrowed) { image = borrowed; }

 private:
  float velocityX = 0.0f;
  float velocityY = 0.0f;
};
