#include "actors/ProjectileFreeFloater.h"

#include "actors/PhysicsUltraSimple.h"

ProjectileFreeFloater::ProjectileFreeFloater() {
  typeCode = ObjectType::kFreeFloater;
  physics = std::make_unique<PhysicsUltraSimple>();
  physics->Bind(&dimensions, &physicsAngle);
}
