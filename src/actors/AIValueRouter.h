#pragma once

#include "actors/AIBasePackage.h"
#include "core/script/PropertyRef.h"

// Copies an integer from one routed property to another every tick. A property whose owner is
// gone reads as missing, and a router with a missing end does nothing.
class AIValueRouter : public AIBasePackage {
 public:
  AIValueRouter();

  void Update() override;
  // Stores both; a missing source, then a missing destination, each log a warning.
  virtual void SyncWith(PropertyRef source, PropertyRef destination);

 private:
  PropertyRef source;
  PropertyRef destination;
};
