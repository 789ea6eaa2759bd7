#include "actors/PhysicsUltraSimple.h"

#include "core/Convert.h"
#include "core/Dimensions.h"
#include "core/Globals.h"
#include "world/Camera.h"
#include "world/CameraManager.h"

void PhysicsUltraSimple::Update() {
  if (!IsBound() || stopped != 0) return;
  body->x = ToInt32(static_cast<float>(body->x) + xSpeed);
  body->y = ToInt32(static_cast<float>(body->y) + ySpeed);
  body->z = ToInt32(static_cast<float>(body->z) + zSpeed);
  const Camera* camera = gCameraManager != nullptr ? gCameraManager->GetActiveCamera() : nullptr;
  if (camera != nullptr && !RectOverlapsCameraView(body->Rect(), *camera)) stopped = 1;
}

PropertyRef PhysicsUltraSimple::GetSubclassPropertyAddress(const char* name, LifetimeToken owner) {
  return BasePhysicsPack::GetSubclassPropertyAddress(name, owner);
}
