#include "actors/AIBasePathPackage.h"

#include <cmath>

#include "core/Convert.h"
#include "core/Dimensions.h"
#include "core/Log.h"

AIBasePathPackage::AIBasePathPackage() { typeCode = AIType::kBasePath; }

void AIBasePathPackage::SetTarget(int32_t x, int32_t y) {
  targetX = x;
  targetY = y;
}

void AIBasePathPackage::SyncWith(uint8_t* idle, uint8_t* moving, float* newSpeed,
                                 Dimensions* newBody, int32_t* timer, int32_t* direction) {
  idleFlag = idle;
  movingFlag = moving;
  speed = newSpeed;
  body = newBody;
  animTimer = timer;
  animDirection = direction;
  synced = idle && moving && newSpeed && newBody && timer && direction ? 1 : 0;
  if (synced) return;
  Log("AIBPP SyncWith:  Failed, one of the pointers was invalid\n");
  Log("Dump:  %p %p %p %p %p %p\n", static_cast<void*>(idle), static_cast<void*>(moving),
      static_cast<void*>(newSpeed), static_cast<void*>(newBody), static_cast<void*>(timer),
      static_cast<void*>(direction));
}

int32_t AIBasePathPackage::GetDirection() const {
  const int32_t tx = GetTargetX();
  const int32_t ty = GetTargetY();
  const int32_t x = body->x;
  const int32_t y = body->y;
  if (tx < x) return ty == y ? 6 : (ty < y ? 7 : 5);
  if (tx > x) return ty == y ? 2 : (ty < y ? 1 : 3);
  if (ty < y) return 0;
  if (ty > y) return 4;
  return -1;
}

double AIBasePathPackage::ComputeDistance() {
  distanceX = std::fabs(static_cast<double>(body->x) - GetTargetX());
  distanceY = std::fabs(static_cast<double>(body->y) - GetTargetY());
  return std::sqrt(distanceX * distanceX + distanceY * distanceY);
}

void AIBasePathPackage::DirectionVector(int32_t code, double s, double& vx, double& vy) {
  const double k = s * 0.707107;
  static constexpr int kSigns[8][2] = {{0, -1}, {1, -1}, {1, 0},  {1, 1},
                                       {0, 1},  {-1, 1}, {-1, 0}, {-1, -1}};
  vx = vy = 0.0;
  if (code < 0 || code > 7) return;
  const double along = code % 2 == 0 ? s : k;
  vx = kSigns[code][0] * along;
  vy = kSigns[code][1] * along;
}

void AIBasePathPackage::Step(int32_t code, double s) {
  double vx, vy;
  DirectionVector(code, s, vx, vy);
  if (std::fabs(static_cast<double>(ToInt32(vx))) > distanceX) vx = std::copysign(distanceX, vx);
  if (std::fabs(static_cast<double>(ToInt32(vy))) > distanceY) vy = std::copysign(distanceY, vy);
  body->x = WrapAdd(body->x, ToInt32(vx));
  body->y = WrapAdd(body->y, ToInt32(vy));
  RecomputeBounds(*body);
  *animTimer = WrapAdd(*animTimer, 1);
  *animDirection = code;
}

void AIBasePathPackage::Update() {
  if (!synced || GetTargetX() == -1 || GetTargetY() == -1) return;
  const int32_t code = GetDirection();
  if (code == -1) {
    finished = 1;
    *movingFlag = 0;
    *idleFlag = 1;
    Log("NPC has pathed to this location!\n");
    return;
  }
  ComputeDistance();
  Step(code, *speed);
  *movingFlag = 1;
  *idleFlag = 0;
}
