#include "actors/AIFollowingPackage.h"

#include "core/Log.h"

AIFollowingPackage::AIFollowingPackage() { typeCode = AIType::kFollowing; }

int32_t AIFollowingPackage::GetTargetX() const {
  const int32_t* x = watchedX.AsInteger();
  return x != nullptr ? *x : -1;
}

int32_t AIFollowingPackage::GetTargetY() const {
  const int32_t* y = watchedY.AsInteger();
  return y != nullptr ? *y : -1;
}

void AIFollowingPackage::SetTargetPointers(PropertyRef x, PropertyRef y) {
  watchedX = std::move(x);
  watchedY = std::move(y);
}

void AIFollowingPackage::SyncWith(uint8_t* idle, uint8_t* walking, uint8_t* running,
                                  float* newSpeed, float* newFastSpeed, Dimensions* newBody,
                                  int32_t* timer, int32_t* direction) {
  idleFlag = idle;
  movingFlag = walking;
  runningFlag = running;
  speed = newSpeed;
  fastSpeed = newFastSpeed;
  body = newBody;
  animTimer = timer;
  animDirection = direction;
  synced = idle && walking && running && newSpeed && newFastSpeed && newBody && timer && direction
               ? 1
               : 0;
  if (synced) return;
  Log("AIFP SyncWith:  Failed, one of the pointers was invalid\n");
  Log("Dump:  %p %p %p %p %p %p %p %p\n", static_cast<void*>(idle), static_cast<void*>(walking),
      static_cast<void*>(running), static_cast<void*>(newSpeed), static_cast<void*>(newFastSpeed),
      static_cast<void*>(newBody), static_cast<void*>(timer), static_cast<void*>(direction));
}

void AIFollowingPackage::Update() {
  // The path form of SyncWith leaves the running flag and the fast speed unset.
  if (!synced || runningFlag == nullptr || fastSpeed == nullptr) return;
  if (watchedX.AsInteger() == nullptr || watchedY.AsInteger() == nullptr) return;
  targetX = GetTargetX();
  targetY = GetTargetY();
  const int32_t code = GetDirection();
  const double distance = ComputeDistance();
  if (distance < 50.0) {
    *movingFlag = 0;
    *runningFlag = 0;
    *idleFlag = 1;
    return;
  }
  *idleFlag = 0;
  if (distance > 125.0) {
    currentSpeed = *fastSpeed;
    *runningFlag = 1;
    *movingFlag = 0;
  } else if (distance < 100.0) {
    currentSpeed = *speed;
    *runningFlag = 0;
    *movingFlag = 1;
  }
  if (currentSpeed > distance) currentSpeed = distance;
  Step(code, currentSpeed);
}
