#pragma once

#include <array>

#include "actors/ObjectBase.h"

// An object that the player can kick about: its own physics pack moves it, and it is drawn
// rotated by the pack's angle above a shadow.
class ObjectItem : public ObjectBase {
 public:
  // Starting speed limits of an item's pack, each axis [-limit, limit]: wide enough that a kick
  // (at most about 4 sideways and 10 upwards) is never cut, so the item slides, hops and falls
  // back visibly; well inside the 50 one-pixel passes of a move.
  static constexpr float kStartSpeedLimit = 16.0f;

  // The shadows are looked up under Images/Misc/Shadows of the data library.
  ObjectItem(int32_t x, int32_t y, int32_t z, int32_t w, int32_t h, int32_t d, ImageObject* image);

  void Update() override;
  // Drawn raised by its max z, so the shadow stays on the ground.
  void Draw(ImageObject* target, Camera* camera) override;
  // Only a push from within 19 pixels on every axis reaches the item; the runtime's rand adds a
  // little spread to the y and z forces.
  void OnImpulse(int32_t x, int32_t y, int32_t z, float fx, float fy, float fz) override;
  void DrawAt(ImageObject* target, int32_t x, int32_t y) override;
  PropertyRef GetSubclassPropertyAddress(const char* name) override;
  virtual void RecomputeBounds();

  enum Shadow { kShadowL, kShadowM, kShadowS, kShadowT };
  ImageObject* GetShadow(Shadow which) const { return shadows[which]; }

 private:
  std::array<ImageObject*, 4> shadows{};
};
