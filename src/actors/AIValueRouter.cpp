#include "actors/AIValueRouter.h"

#include "core/Log.h"

AIValueRouter::AIValueRouter() { typeCode = AIType::kValueRouter; }

void AIValueRouter::Update() {
  int32_t* from = source.AsInteger();
  int32_t* to = destination.AsInteger();
  if (from != nullptr && to != nullptr) *to = *from;
}

void AIValueRouter::SyncWith(PropertyRef newSource, PropertyRef newDestination) {
  source = std::move(newSource);
  destination = std::move(newDestination);
  if (source.AsInteger() == nullptr) Log("AIVR:  Warning, Source pointer is NULL\n");
  if (destination.AsInteger() == nullptr) Log("AIVR:  Warning, Destination pointer is NULL\n");
}
