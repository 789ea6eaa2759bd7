#pragma once

#include "actors/AISlidePathPackage.h"

// A slide that bounces: a blocked step reverses that velocity, and a horizontal bounce turns the
// owner (its facing flag becomes the opposite of what it was when the move began). It finishes
// when both speeds are under 2.
class AISlideBouncePathPackage : public AISlidePathPackage {
 public:
  AISlideBouncePathPackage();

  void Move() override;
  using AISlidePathPackage::SyncWith;
  virtual void SyncWith(Dimensions* body, int32_t* facing);

 protected:
  void UpdateFinished() override;

 private:
  int32_t* facingFlag = nullptr;
};
