#include "actors/AISlidePathPackage.h"

#include <algorithm>

#include "core/Convert.h"
#include "core/Dimensions.h"
#include "core/Log.h"
#include "world/CellTest.h"

// Slides read the cell test's solid sense; without a map manager nothing is solid.
AISlidePathPackage::AISlidePathPackage() : cellTest(&CellIsSolid) { typeCode = AIType::kSlidePath; }

void AISlidePathPackage::SetCellTest(CellTest test) {
  cellTest = test != nullptr ? test : &CellIsSolid;
}

void AISlidePathPackage::SyncWith(Dimensions* newBody) {
  body = newBody;
  synced = newBody != nullptr ? 1 : 0;
  if (synced) return;
  Log("AISLPP SyncWith:  Failed, one of the pointers was invalid\n");
  Log("Dump:  %p\n", static_cast<void*>(newBody));
}

void AISlidePathPackage::SetPhysicsValues(double vx, double vy, double fx, double fy, double g) {
  velocityX = vx;
  velocityY = vy;
  frictionX = fx;
  frictionY = fy;
  gravity = g;
  stopOnLanding = 0;
  if (fx == -1.0) {
    stopOnLanding = 1;
    frictionX = 0.0;
  }
}

void AISlidePathPackage::SetSpeedLimits(double minX, double maxX, double minY, double maxY) {
  minVelocityX = minX;
  maxVelocityX = maxX;
  minVelocityY = minY;
  maxVelocityY = maxY;
}

void AISlidePathPackage::RecomputeBounds() {
  if (body != nullptr) ::RecomputeBounds(*body);
}

bool AISlidePathPackage::CanMoveBy(int32_t dx, int32_t dy) const {
  if (body == nullptr) return false;
  const int64_t fromX = int64_t{body->minX} + dx + 1;
  const int64_t toX = int64_t{body->maxX} + dx - 1;
  const int64_t fromY = int64_t{body->minY} + dy + 1;
  const int64_t toY = int64_t{body->maxY} + dy - 1;
  for (int64_t x = fromX; x < toX; ++x) {
    for (int64_t y = fromY; y < toY; ++y) {
      if (cellTest(static_cast<int32_t>(x), static_cast<int32_t>(y), 0)) return false;
    }
  }
  return true;
}

void AISlidePathPackage::Update() {
  if (!synced) return;
  if (velocityX != 0.0) velocityX -= velocityX * frictionX;
  if (velocityY != 0.0) velocityY -= velocityY * frictionY;
  velocityY += gravity;
  // A minimum above the maximum wins.
  velocityX = std::max(std::min(velocityX, maxVelocityX), minVelocityX);
  velocityY = std::max(std::min(velocityY, maxVelocityY), minVelocityY);
  RecomputeBounds();
  Move();
  UpdateFinished();
}

void AISlidePathPackage::UpdateFinished() {
  bool xAtRest;
  if (stopOnLanding && landed) {
    velocityX = 0.0;
    xAtRest = true;
  } else {
    xAtRest = ToInt32(velocityX) == 0;
  }
  if (xAtRest && (gravity == 0.0 || landed) && ToInt32(velocityY) == 0) finished = 1;
}

void AISlidePathPackage::Move() { MoveBody(nullptr); }

void AISlidePathPackage::MoveBody(int32_t* facing) {
  if (body == nullptr) return;
  const bool bouncing = facing != nullptr;
  const int32_t turned = bouncing && *facing == 0 ? 1 : 0;
  int32_t nx = ToInt32(velocityX);
  int32_t ny = ToInt32(velocityY);
  landed = 0;
  int32_t passes = 0;
  do {
    if (nx != 0) {
      const int32_t step = nx > 0 ? 1 : -1;
      if (CanMoveBy(step, 0)) {
        body->x = WrapAdd(body->x, step);
        RecomputeBounds();
        nx -= step;
      } else {
        velocityX = bouncing ? -velocityX : 0.0;
        if (bouncing) *facing = turned;
        nx = 0;
      }
    }
    if (ny != 0) {
      const int32_t step = ny > 0 ? 1 : -1;
      if (CanMoveBy(0, step)) {
        body->y = WrapAdd(body->y, step);
        // Upward too: a stale box would test the same row again and rise through a ceiling.
        RecomputeBounds();
        ny -= step;
      } else {
        if (!bouncing && step > 0) landed = 1;
        velocityY = bouncing ? -velocityY : 0.0;
        ny = 0;
      }
    }
    ++passes;
    if (passes == 49) Log("Movement loop got caught\n");
  } while ((nx != 0 || ny != 0) && passes < 50);
}
