#include "actors/BasePhysicsPack.h"

#include <cmath>
#include <cstring>

#include "actors/AIBasePackage.h"
#include "core/Convert.h"
#include "core/Dimensions.h"
#include "core/Log.h"
#include "world/CellTest.h"

namespace {

constexpr float kTwoPi = 6.28318530717958647692f;
constexpr int kMaxPasses = 50;

void ApplyFriction(float& speed, float friction) {
  if (speed > friction) {
    speed -= friction;
  } else if (speed < -friction) {
    speed += friction;
  } else {
    speed = 0.0f;
  }
}

void Limit(float& speed, float minimum, float maximum) {
  if (speed > maximum) speed = maximum;
  if (speed < minimum) speed = minimum;
}

// One pixel in the direction of the steps still to take.
int32_t StepToward(int32_t steps) { return steps > 0 ? 1 : -1; }

}  // namespace

void BasePhysicsPack::Bind(Dimensions* newBody, float* newAngle) {
  body = newBody;
  angle = newAngle;
}

PropertyRef BasePhysicsPack::GetSubclassPropertyAddress(const char*, LifetimeToken) {
  return PropertyRef();
}

PropertyRef BasePhysicsPack::GetPropertyAddress(const char* name, LifetimeToken owner) {
  if (name == nullptr) return PropertyRef();
  PropertyRef own = GetSubclassPropertyAddress(name, owner);
  if (own.IsAlive()) return own;
  if (std::strcmp(name, "XSpeed") == 0) return PropertyRef::Float(xSpeed, owner);
  if (std::strcmp(name, "YSpeed") == 0) return PropertyRef::Float(ySpeed, owner);
  if (std::strcmp(name, "ZSpeed") == 0) return PropertyRef::Float(zSpeed, owner);
  return PropertyRef();
}

void BasePhysicsPack::ApplyForce(float fx, float fy, float fz) {
  if (mass == 0.0f) return;
  xSpeed += fx / mass;
  ySpeed += fy / mass;
  zSpeed += fz / mass;
}

void BasePhysicsPack::SetSpeedLimits(float minX, float maxX, float minY, float maxY, float minZ,
                                     float maxZ) {
  xMin = minX;
  xMax = maxX;
  yMin = minY;
  yMax = maxY;
  zMin = minZ;
  zMax = maxZ;
}

void BasePhysicsPack::Update() {
  if (!IsBound()) return;
  const float friction = body->maxZ == 0 ? groundFriction : airFriction;
  ApplyFriction(xSpeed, friction);
  ApplyFriction(ySpeed, friction);
  Limit(xSpeed, xMin, xMax);
  Limit(ySpeed, yMin, yMax);

  const float roll = std::sqrt(xSpeed * xSpeed + ySpeed * ySpeed);
  *angle += roll * bounce * (xSpeed < 0.0f ? -0.2f : 0.2f);

  if (body->maxZ < 0) {
    zSpeed += gravity;
    Limit(zSpeed, zMin, zMax);
  } else if (zSpeed > 1.0f) {
    zSpeed = -zSpeed * bounce;
  } else {
    if (zSpeed > 0.0f) zSpeed = 0.0f;
    if (zSpeed < zMin) zSpeed = zMin;
  }

  if (*angle > kTwoPi) *angle -= kTwoPi;
  if (*angle < 0.0f) *angle += kTwoPi;
  // A speed a script made NaN would otherwise spin the angle into NaN for good.
  if (!std::isfinite(*angle)) *angle = 0.0f;
  Move();
}

void BasePhysicsPack::Move() {
  if (body == nullptr) return;
  int32_t nx = ToInt32(xSpeed);
  int32_t ny = ToInt32(ySpeed);
  int32_t nz = ToInt32(zSpeed);
  for (int pass = 1;; ++pass) {
    if (nx != 0) {
      const int32_t step = StepToward(nx);
      if (IsBoxFree(step, 0)) {
        body->x = WrapAdd(body->x, step);
        RecomputeBounds(*body);
        nx -= step;
      } else {
        xSpeed = -xSpeed * bounce;
        nx = 0;
      }
    }
    if (ny != 0) {
      const int32_t step = StepToward(ny);
      // The y probe looks two pixels ahead.
      if (IsBoxFree(0, 2 * step)) {
        body->y = WrapAdd(body->y, step);
        RecomputeBounds(*body);
        ny -= step;
      } else {
        ySpeed = -ySpeed * bounce;
        ny = 0;
      }
    }
    if (nz != 0) {
      const int32_t step = StepToward(nz);
      body->z = WrapAdd(body->z, step);
      RecomputeBounds(*body);
      nz -= step;
    }
    if (pass == kMaxPasses - 1) Log("Movement loop got caught\n");
    if ((nx == 0 && ny == 0 && nz == 0) || pass >= kMaxPasses) return;
  }
}

bool BasePhysicsPack::IsBoxFree(int32_t dx, int32_t dy) const {
  if (body == nullptr) return false;
  const int64_t left = int64_t{body->minX} + dx;
  const int64_t right = int64_t{body->maxX} + dx;  // exclusive
  const int64_t top = int64_t{body->minY} + dy;
  const int64_t bottom = int64_t{body->maxY} + dy;  // exclusive
  if (right > left && bottom > top && (right - left) * (bottom - top) > kMaxProbedCells) {
    return false;
  }
  for (int64_t x = left; x < right; ++x) {
    for (int64_t y = top; y < bottom; ++y) {
      if (CellIsSolid(static_cast<int32_t>(x), static_cast<int32_t>(y), 0)) return false;
    }
  }
  return true;
}
