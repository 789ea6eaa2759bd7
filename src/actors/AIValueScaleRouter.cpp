#include "actors/AIValueScaleRouter.h"

#include "core/Convert.h"

AIValueScaleRouter::AIValueScaleRouter() { typeCode = AIType::kValueScaleRouter; }

void AIValueScaleRouter::Update() {
  int32_t* from = source.AsInteger();
  int32_t* to = destination.AsInteger();
  if (from == nullptr || to == nullptr) return;
  const float scaled = static_cast<float>(*from) * scaler;
  *to = ToInt32(scaled);
}

void AIValueScaleRouter::SyncWith(PropertyRef newSource, PropertyRef newDestination) {
  source = std::move(newSource);
  destination = std::move(newDestination);
}
