#pragma once

#include <cstdint>

#include "actors/AIBasePackage.h"

struct Dimensions;

// Walks its owner to a point in eight directions at the owner's speed, through walls. Direction
// codes, written into the owner's animation direction: 0 up, 1 up-right, 2 right, 3 down-right,
// 4 down, 5 down-left, 6 left, 7 up-left; -1 the point is reached.
class AIBasePathPackage : public AIBasePackage {
 public:
  AIBasePathPackage();

  // Nothing until synced with a target; on arrival it finishes, stands idle and says so.
  void Update() override;
  virtual int32_t GetTargetX() const { return targetX; }
  virtual int32_t GetTargetY() const { return targetY; }
  virtual void SetTarget(int32_t x, int32_t y);
  // Synced when every address is there; otherwise logs the failure and the addresses.
  virtual void SyncWith(uint8_t* idle, uint8_t* moving, float* speed, Dimensions* body,
                        int32_t* timer, int32_t* direction);

  int32_t GetDirection() const;
  // Stores the distance on each axis to the target; answers the straight distance.
  double ComputeDistance();
  static void DirectionVector(int32_t code, double speed, double& vx, double& vy);

 protected:
  // One step in the direction, no axis passing the target; the animation timer advances.
  void Step(int32_t code, double speed);

  int32_t* animTimer = nullptr;
  int32_t* animDirection = nullptr;
  uint8_t* idleFlag = nullptr;
  uint8_t* movingFlag = nullptr;
  float* speed = nullptr;
  Dimensions* body = nullptr;
  int32_t targetX = -1;
  int32_t targetY = -1;
  double distanceX = 0.0;
  double distanceY = 0.0;
};
