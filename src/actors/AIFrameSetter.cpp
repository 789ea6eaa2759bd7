#include "actors/AIFrameSetter.h"

AIFrameSetter::AIFrameSetter() { typeCode = AIType::kFrameSetter; }

void AIFrameSetter::Update() {
  if (firstValue != -1 && firstAddress != nullptr) *firstAddress = firstValue;
  if (secondValue != -1 && secondAddress != nullptr) *secondAddress = secondValue;
}

void AIFrameSetter::SyncWith(int32_t* first, int32_t* second) {
  firstAddress = first;
  secondAddress = second;
}

void AIFrameSetter::SetValues(int32_t first, int32_t second) {
  firstValue = first;
  secondValue = second;
}
