#pragma once

#include "actors/ObjectBase.h"

// The base of the shooter mini-game's shots: a world object that stays where it is, takes no
// pushes and answers no properties of its own.
class ShooterProjectileBase : public ObjectBase {
 public:
  ShooterProjectileBase() { typeCode = ObjectType::kShooterProjectile; }

  void OnImpulse(int32_t, int32_t, int32_t, float, float, float) override {}
};
