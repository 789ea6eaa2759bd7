#include "actors/AISlideBouncePathPackage.h"

#include <cstdlib>

#include "core/Convert.h"
#include "core/Log.h"

AISlideBouncePathPackage::AISlideBouncePathPackage() { typeCode = AIType::kSlideBouncePath; }

void AISlideBouncePathPackage::SyncWith(Dimensions* newBody, int32_t* facing) {
  body = newBody;
  facingFlag = facing;
  synced = newBody != nullptr && facing != nullptr ? 1 : 0;
  if (synced) return;
  Log("AISBPP SyncWith:  Failed, one of the pointers was invalid\n");
  Log("Dump:  %p %p\n", static_cast<void*>(newBody), static_cast<void*>(facing));
}

void AISlideBouncePathPackage::Move() {
  // Synced through the slide's form alone, there is no facing to turn: it slides without bouncing.
  if (facingFlag == nullptr) {
    AISlidePathPackage::Move();
    return;
  }
  MoveBody(facingFlag);
}

void AISlideBouncePathPackage::UpdateFinished() {
  if (std::abs(int64_t{ToInt32(velocityX)}) < 2 && std::abs(int64_t{ToInt32(velocityY)}) < 2)
    finished = 1;
}
