#pragma once

#include "actors/AIBasePackage.h"
#include "core/script/PropertyRef.h"

// Writes an integer property scaled by a factor into another every tick, truncated toward zero.
class AIValueScaleRouter : public AIBasePackage {
 public:
  AIValueScaleRouter();

  void Update() override;
  // Stores both without a check.
  virtual void SyncWith(PropertyRef source, PropertyRef destination);
  void SetScaler(float factor) { scaler = factor; }

 private:
  PropertyRef source;
  PropertyRef destination;
  float scaler = 1.0f;
};
