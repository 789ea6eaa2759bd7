#pragma once

#include "actors/BasePhysicsPack.h"

// Only adds its speeds to the centre, and stops for good once its box has left the active
// camera's view; no friction, gravity, limits, rolling or collision. The owner recomputes the box.
class PhysicsUltraSimple : public BasePhysicsPack {
 public:
  PhysicsUltraSimple() = default;

  void Update() override;
  PropertyRef GetSubclassPropertyAddress(const char* name, LifetimeToken owner) override;
};
