#pragma once

#include <memory>

#include "actors/ObjectBase.h"

class Animation;

// A world object that flies, is drawn from an animation after a spawn picture, and can hit NPCs
// through the target registry. It owns its frame image; the spawn picture and the animation are
// borrowed. A plain projectile has no pack: it stays where it is until something hits it.
class ProjectileBase : public ObjectBase {
 public:
  ProjectileBase();
  // Takes itself out of the target lists.
  ~ProjectileBase() override;

  void Update() override;
  void Draw(ImageObject* target, Camera* camera) override;
  void DrawAt(ImageObject* target, int32_t x, int32_t y) override;
  PropertyRef GetSubclassPropertyAddress(const char* name) override;
  // Centre and size; the frame image is made (again) at the size. A size no bitmap can have
  // leaves the projectile without a frame image: it draws nothing.
  virtual void SetCoordinateData(int32_t x, int32_t y, int32_t z, int32_t w, int32_t h, int32_t d);

  // Only the first non-zero flags count: they enter the projectile into the target lists.
  void SetTargetFlags(int32_t flags);
  void SetHitSucceeded() { didHitSucceed = 1; }
  // Hit and dead; the registry purges it from the lists at the next object update.
  void RegisterHit();

  void SetDisplayData(Animation* animation, ImageObject* spawnFrame, int32_t palette,
                      int32_t spawnDelay, int32_t flip);
  void SetDrawingOffset(int32_t x, int32_t y) {
    drawOffsetX = x;
    drawOffsetY = y;
  }
  void SetDamage(int32_t value) { damage = value; }

  int32_t GetTargetFlags() const { return targetFlags; }
  bool IsHit() const { return hit; }
  bool DidHitSucceed() const { return didHitSucceed != 0; }
  int32_t GetTimer() const { return timer; }
  Animation* GetAnimation() const;

 protected:
  // The picture of the moment (spawn frame or animation frame) drawn into the frame image.
  void PaintFrame();
  // Every change of the box tells the target registry, whose searches file the boxes.
  void BoxMoved();

  int32_t targetFlags = 0;
  bool hit = false;
  ImageObject* spawnFrame = nullptr;
  int32_t palette = 0;
  Animation* animation = nullptr;
  LifetimeToken animationAlive;
  int32_t spawnDelay = 0;
  int32_t timer = 0;
  int32_t flipFlag = 0;
  int32_t damage = 0;
  uint8_t didHitSucceed = 0;

 private:
  std::unique_ptr<ImageObject> frame;
};
