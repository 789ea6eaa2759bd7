#pragma once

#include "actors/AIBasePackage.h"

// Holds two integers of its owner (the animation timer and direction of an NPC) at fixed values
// while it runs; a value of -1 leaves its field alone.
class AIFrameSetter : public AIBasePackage {
 public:
  AIFrameSetter();

  // Writes each value that is not -1 through an address that is there.
  void Update() override;
  virtual void SyncWith(int32_t* first, int32_t* second);
  void SetValues(int32_t first, int32_t second);

 private:
  int32_t* firstAddress = nullptr;
  int32_t* secondAddress = nullptr;
  int32_t firstValue = -1;
  int32_t secondValue = -1;
};
