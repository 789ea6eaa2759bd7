#pragma once

#include <cstdint>

#include "core/Lifetime.h"
#include "core/script/PropertyRef.h"

struct Dimensions;

// Moves one object's Dimensions by its own speeds each tick, with friction, gravity, a floor
// bounce and a pixel-by-pixel collision test against the map (any non-zero cell answer is solid).
// It is bound to its owner's Dimensions and physics angle and knows nothing else of the owner.
// z grows downwards; the floor is at a box whose max z is 0.
class BasePhysicsPack {
 public:
  // The most cells one box test probes: a bigger box counts as blocked, so a script that sizes
  // an object absurdly cannot stall the tick.
  static constexpr int64_t kMaxProbedCells = int64_t{1} << 18;

  BasePhysicsPack() = default;
  virtual ~BasePhysicsPack() = default;
  BasePhysicsPack(const BasePhysicsPack&) = delete;
  BasePhysicsPack& operator=(const BasePhysicsPack&) = delete;

  // One tick; nothing until both fields are bound.
  virtual void Update();
  virtual void Bind(Dimensions* body, float* angle);
  virtual PropertyRef GetSubclassPropertyAddress(const char* name, LifetimeToken owner);

  // The subclass's names, then "XSpeed", "YSpeed", "ZSpeed" (floats), watched through the
  // owner's token.
  PropertyRef GetPropertyAddress(const char* name, LifetimeToken owner);

  // Speeds grow by force / mass; a mass of 0 ignores forces.
  void ApplyForce(float fx, float fy, float fz);
  bool IsStopped() const { return stopped != 0; }
  void SetSpeedLimits(float minX, float maxX, float minY, float maxY, float minZ, float maxZ);

  // Whole steps of the speeds, one pixel per axis per pass; a blocked step bounces that axis.
  void Move();
  // Whether the box shifted by (dx, dy) covers no solid cell; stops at the first one it finds.
  bool IsBoxFree(int32_t dx, int32_t dy) const;

  float GetXSpeed() const { return xSpeed; }
  float GetYSpeed() const { return ySpeed; }
  float GetZSpeed() const { return zSpeed; }
  void SetSpeeds(float x, float y, float z) {
    xSpeed = x;
    ySpeed = y;
    zSpeed = z;
  }
  void SetMass(float value) { mass = value; }

 protected:
  bool IsBound() const { return body != nullptr && angle != nullptr; }

  uint8_t stopped = 0;
  float mass = 1.0f;
  float groundFriction = 0.3f;
  float airFriction = 0.01f;
  float gravity = 0.3f;
  float bounce = 0.5f;
  float xSpeed = 0.0f, ySpeed = 0.0f, zSpeed = 0.0f;
  float xMin = 0.0f, xMax = 0.0f;
  float yMin = 0.0f, yMax = 0.0f;
  float zMin = 0.0f, zMax = 0.0f;
  Dimensions* body = nullptr;
  float* angle = nullptr;
};
