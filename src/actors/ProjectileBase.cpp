#include "actors/ProjectileBase.h"

#include <cstring>

#include "actors/AIBasePackage.h"
#include "actors/ActorImage.h"
#include "actors/Animation.h"
#include "actors/TargetRegistry.h"
#include "core/Convert.h"
#include "core/Globals.h"
#include "resources/ImageObject.h"
#include "world/Camera.h"

ProjectileBase::ProjectileBase() { typeCode = ObjectType::kProjectile; }

ProjectileBase::~ProjectileBase() {
  if (gTargetRegistry != nullptr) gTargetRegistry->Forget(this);
  if (frame) frame->Destroy();
}

void ProjectileBase::Update() {
  if (spawnDelay > 0) {
    --spawnDelay;
    return;
  }
  timer = WrapAdd(timer, 1);
  // Before the pack moves the centre, so the box trails it by a tick.
  RecomputeBounds(dimensions);
  BoxMoved();
  if (physics) {
    physics->Update();
    if (physics->IsStopped()) RegisterHit();
  }
}

Animation* ProjectileBase::GetAnimation() const {
  return animationAlive.IsAlive() ? animation : nullptr;
}

void ProjectileBase::PaintFrame() {
  ImageObject* picture = nullptr;
  if (spawnDelay > 0) {
    picture = spawnFrame;
  } else if (Animation* flight = GetAnimation()) {
    picture = flight->GetFrameByTime(0, timer);
  }
  if (picture == nullptr) return;
  SetGlobalPaletteNumber(palette);
  picture->DrawOnto(frame->GetBitmap(), 0, 0, 0);
}

void ProjectileBase::Draw(ImageObject* target, Camera* camera) {
  if (!frame) return;
  frame->SetAsTarget();
  frame->ClearToTransparent();
  PaintFrame();
  int32_t left, top;
  ViewCorner(camera, left, top);
  DrawAt(target, SaturatingAdd(int64_t{dimensions.minX} + drawOffsetX, -int64_t{left}),
         SaturatingAdd(int64_t{dimensions.minY} + drawOffsetY, -int64_t{top}));
}

void ProjectileBase::DrawAt(ImageObject* target, int32_t x, int32_t y) {
  if (!frame || target == nullptr) return;
  target->SetAsTarget();
  frame->DrawAt(x, y, flipFlag);
}

PropertyRef ProjectileBase::GetSubclassPropertyAddress(const char* name) {
  const LifetimeToken token = GetLifetimeToken();
  if (std::strcmp(name, "DidHitSucceed") == 0) return PropertyRef::Byte(didHitSucceed, token);
  if (std::strcmp(name, "Damage") == 0) return PropertyRef::Integer(damage, token);
  if (std::strcmp(name, "FlipFlag") == 0) return PropertyRef::Integer(flipFlag, token);
  return PropertyRef();
}

void ProjectileBase::SetCoordinateData(int32_t x, int32_t y, int32_t z, int32_t w, int32_t h,
                                       int32_t d) {
  SetCoordinates(x, y, z);
  SetSize(w, h, d);
  if (!frame) frame = std::make_unique<ImageObject>();
  if (!MakeActorImage(*frame, w, h)) frame.reset();
  image = frame.get();
  RecomputeBounds(dimensions);
  BoxMoved();
}

void ProjectileBase::BoxMoved() {
  if (gTargetRegistry != nullptr) gTargetRegistry->NoteMoved();
}

void ProjectileBase::SetTargetFlags(int32_t flags) {
  if (targetFlags != 0 || flags == 0) return;
  targetFlags = flags;
  if (gTargetRegistry != nullptr) gTargetRegistry->Register("AutoReg", this);
}

void ProjectileBase::RegisterHit() {
  hit = true;
  dead = true;
  if (gTargetRegistry != nullptr) gTargetRegistry->RequestPurge();
}

void ProjectileBase::SetDisplayData(Animation* newAnimation, ImageObject* newSpawnFrame,
                                    int32_t newPalette, int32_t newSpawnDelay, int32_t flip) {
  animation = newAnimation;
  animationAlive = newAnimation != nullptr ? newAnimation->GetLifetimeToken() : LifetimeToken();
  spawnFrame = newSpawnFrame;
  palette = newPalette;
  spawnDelay = newSpawnDelay;
  flipFlag = flip != 0 ? 1 : 0;
}
