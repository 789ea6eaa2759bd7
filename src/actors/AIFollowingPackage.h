#pragma once

#include "actors/AIBasePathPackage.h"
#include "core/script/PropertyRef.h"

// Walks after a moving point: idle within 50 pixels, walking under 100, running beyond 125 (and
// as before in between). It never finishes; its queue ends it. A watched point whose owner is
// gone stops it.
class AIFollowingPackage : public AIBasePathPackage {
 public:
  AIFollowingPackage();

  void Update() override;
  int32_t GetTargetX() const override;
  int32_t GetTargetY() const override;
  // The integer properties followed.
  virtual void SetTargetPointers(PropertyRef x, PropertyRef y);
  using AIBasePathPackage::SyncWith;
  // The moving flag is the walking flag.
  virtual void SyncWith(uint8_t* idle, uint8_t* walking, uint8_t* running, float* speed,
                        float* fastSpeed, Dimensions* body, int32_t* timer, int32_t* direction);

  double GetCurrentSpeed() const { return currentSpeed; }

 private:
  PropertyRef watchedX;
  PropertyRef watchedY;
  uint8_t* runningFlag = nullptr;
  float* fastSpeed = nullptr;
  double currentSpeed = 2.0;
};
