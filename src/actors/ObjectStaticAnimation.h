#pragma once

#include "actors/ObjectStaticBase.h"

class Animation;

// An animation played once at a fixed place: it runs for its lifetime in ticks and then dies.
// Nothing happens until a script gives it its animation data.
class ObjectStaticAnimation : public ObjectStaticBase {
 public:
  ObjectStaticAnimation();

  void Update() override;
  // Placed from the centre and the size; the box is not used.
  void Draw(ImageObject* target, Camera* camera) override;
  void DrawAt(ImageObject* target, int32_t x, int32_t y) override;

  // A none animation draws nothing; enables the object.
  void SetAnimationData(Animation* animation, int32_t row, int32_t time, int32_t lifetime);
  int32_t GetTime() const { return time; }

 private:
  Animation* animation = nullptr;
  LifetimeToken animationAlive;
  int32_t row = 0;
  int32_t time = 0;
  int32_t lifetime = 0;
  bool enabled = false;
};
