#include "actors/AIDrawingPackage.h"

#include "actors/AIBasePackage.h"
#include "actors/AIManager.h"
#include "actors/Animation.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "resources/ImageObject.h"

AIDrawingPackage::AIDrawingPackage() { typeCode = AIType::kDrawingPackage; }

AIDrawingPackage::~AIDrawingPackage() {
  if (gAIManager != nullptr) gAIManager->Forget(this);
}

bool AIDrawingPackage::AllocateSpace(int32_t count) {
  if (count > kMaxSlots) return false;
  slots.assign(count > 0 ? static_cast<size_t>(count) : 0, Slot{});
  return true;
}

void AIDrawingPackage::SetAnimation(int32_t index, const char* name) {
  if (index < 0 || index >= GetCount()) return;
  Animation* animation =
      gAIManager != nullptr && name != nullptr ? gAIManager->FindAnimation(name) : nullptr;
  slots[static_cast<size_t>(index)] =
      animation != nullptr ? Slot{animation, animation->GetLifetimeToken()} : Slot{};
}

Animation* AIDrawingPackage::GetAnimation(int32_t index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  const Slot& slot = slots[static_cast<size_t>(index)];
  return slot.alive.IsAlive() ? slot.animation : nullptr;
}

void AIDrawingPackage::DrawToImage(ImageObject* target, int32_t index, int32_t palette,
                                   int32_t time, int32_t row, int32_t x, int32_t y, int32_t flags,
                                   RepeatedFailure& failures) const {
  // Causes: the index out of range or its slot empty (each per index), no frame.
  const int64_t indexCause = int64_t{index} * 2;
  if (index < 0 || index >= GetCount()) {
    if (failures.Fails(indexCause)) {
      Log("AIDP_DrawToImage:  Failed, %i Animation is out of range\n", index);
    }
    return;
  }
  const Animation* animation = GetAnimation(index);
  if (animation == nullptr) {
    if (failures.Fails(indexCause + 1)) {
      Log("AIDP_DrawToImage:  Failed, Animation %i is not valid\n", index);
    }
    return;
  }
  const ImageObject* frame = animation->GetFrameByTime(row, time);
  if (frame == nullptr) {
    if (failures.Fails(INT64_MAX)) Log("AIDP_DrawToImage:  Failed, GetFrameByTime returned NULL\n");
    return;
  }
  failures.Succeeded();
  SetGlobalPaletteNumber(palette);
  if (target == nullptr) return;
  target->SetAsTarget();
  frame->DrawAt(x, y, flags);
}
