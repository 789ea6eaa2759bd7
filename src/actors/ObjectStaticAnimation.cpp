#include "actors/ObjectStaticAnimation.h"

#include "actors/Animation.h"
#include "core/Convert.h"
#include "core/Globals.h"
#include "resources/ImageObject.h"
#include "world/Camera.h"

ObjectStaticAnimation::ObjectStaticAnimation() { typeCode = ObjectType::kStaticAnimation; }

void ObjectStaticAnimation::Update() {
  if (!enabled) return;
  time = WrapAdd(time, 1);
  lifetime = SaturatingAdd(lifetime, -1);
  if (lifetime <= 0) dead = true;
}

void ObjectStaticAnimation::Draw(ImageObject* target, Camera* camera) {
  int32_t left, top;
  ViewCorner(camera, left, top);
  DrawAt(target, SaturatingAdd(int64_t{dimensions.x} - dimensions.w / 2, -int64_t{left}),
         SaturatingAdd(int64_t{dimensions.y} - dimensions.h / 2, -int64_t{top}));
}

void ObjectStaticAnimation::DrawAt(ImageObject* target, int32_t x, int32_t y) {
  if (!enabled || animation == nullptr || !animationAlive.IsAlive() || target == nullptr) return;
  ImageObject* frame = animation->GetFrameByTime(row, time);
  if (frame == nullptr) return;
  SetGlobalPaletteNumber(0);
  target->SetAsTarget();
  frame->DrawAt(x, y, 0);
}

void ObjectStaticAnimation::SetAnimationData(Animation* newAnimation, int32_t newRow,
                                             int32_t startTime, int32_t newLifetime) {
  animation = newAnimation;
  animationAlive = newAnimation != nullptr ? newAnimation->GetLifetimeToken() : LifetimeToken();
  row = newRow;
  time = startTime;
  lifetime = newLifetime;
  enabled = true;
}
