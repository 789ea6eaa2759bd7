#include "actors/AIBasePackage.h"

#include "actors/AIManager.h"
#include "core/Convert.h"
#include "core/Dimensions.h"
#include "core/Globals.h"

AIBasePackage::AIBasePackage() { typeCode = AIType::kBasePackage; }

AIBasePackage::~AIBasePackage() {
  if (gAIManager != nullptr) gAIManager->Forget(this);
}

void RecomputeBounds(Dimensions& body) {
  body.minX = WrapAdd(body.x, -(body.w / 2));
  body.maxX = WrapAdd(body.x, body.w / 2);
  body.minY = WrapAdd(body.y, -(body.h / 2));
  body.maxY = WrapAdd(body.y, body.h / 2);
  body.minZ = WrapAdd(body.z, -(body.d / 2));
  body.maxZ = WrapAdd(body.z, body.d / 2);
}
