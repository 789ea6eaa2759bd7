#include "actors/ObjectItem.h"

#include <cstdlib>

#include "actors/AIBasePackage.h"
#include "core/Convert.h"
#include "core/Globals.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "world/Camera.h"

ObjectItem::ObjectItem(int32_t x, int32_t y, int32_t z, int32_t w, int32_t h, int32_t d,
                       ImageObject* picture) {
  typeCode = ObjectType::kItem;
  SetCoordinates(x, y, z);
  SetSize(w, h, d);
  physicsAngle = 0.0f;
  physics = std::make_unique<BasePhysicsPack>();
  physics->Bind(&dimensions, &physicsAngle);
  physics->SetSpeedLimits(-kStartSpeedLimit, kStartSpeedLimit, -kStartSpeedLimit, kStartSpeedLimit,
                          -kStartSpeedLimit, kStartSpeedLimit);
  RecomputeBounds();
  image = picture;
  if (gDataLibrary != nullptr) {
    static constexpr const char* kNames[] = {"ShadowL", "ShadowM", "ShadowS", "ShadowT"};
    for (size_t i = 0; i < shadows.size(); ++i) {
      shadows[i] = gDataLibrary->GetEntry<ImageObject>("Images", "Misc", "Shadows", kNames[i]);
    }
  }
}

void ObjectItem::Update() {
  if (!physics) return;
  physics->Update();
  RecomputeBounds();
}

void ObjectItem::Draw(ImageObject* target, Camera* camera) {
  int32_t left, top;
  ViewCorner(camera, left, top);
  DrawAt(target, SaturatingAdd(dimensions.minX, -int64_t{left}),
         SaturatingAdd(int64_t{dimensions.minY} + dimensions.maxZ, -int64_t{top}));
}

void ObjectItem::OnImpulse(int32_t x, int32_t y, int32_t z, float fx, float fy, float fz) {
  if (!physics) return;
  const auto near = [](int32_t a, int32_t b) { return std::llabs(int64_t{a} - b) <= 19; };
  if (!near(dimensions.x, x) || !near(dimensions.y, y) || !near(dimensions.z, z)) return;
  const int r1 = std::rand() % 101 - 50;
  const int r2 = std::rand() % 101 - 50;
  physics->ApplyForce(fx, fy + static_cast<float>(r1 / 20.0), fz + static_cast<float>(r2 / 10.0));
}

void ObjectItem::DrawAt(ImageObject* target, int32_t x, int32_t y) {
  if (image == nullptr || target == nullptr) return;
  target->SetAsTarget();
  if (ImageObject* shadow = shadows[kShadowT]) {
    shadow->DrawAt(WrapAdd(x, -14), SaturatingAdd(int64_t{y} - dimensions.maxZ, -10), 0);
  }
  image->DrawRotated(16, 16, x, y, physicsAngle, 0);
}

PropertyRef ObjectItem::GetSubclassPropertyAddress(const char* name) {
  if (!physics) return PropertyRef();
  return physics->GetPropertyAddress(name, GetLifetimeToken());
}

void ObjectItem::RecomputeBounds() { ::RecomputeBounds(dimensions); }
