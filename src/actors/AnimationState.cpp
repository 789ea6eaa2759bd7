#include "actors/AnimationState.h"

#include <cstring>
#include <optional>

#include "actors/AIBasePackage.h"
#include "actors/AIManager.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/PropertyManager.h"

namespace {

// The first byte of a numeric property: a flag is one byte, wider numbers are compared by their
// first byte alone.
std::optional<uint8_t> FirstByte(const PropertyRef& ref) {
  const void* address = nullptr;
  if (uint8_t* flag = ref.AsByte()) address = flag;
  if (int32_t* integer = ref.AsInteger()) address = integer;
  if (float* single = ref.AsFloat()) address = single;
  if (double* precise = ref.AsDouble()) address = precise;
  if (address == nullptr) return std::nullopt;
  uint8_t byte;
  std::memcpy(&byte, address, 1);
  return byte;
}

}  // namespace

void DestroyStates(AnimationStateList& list) {
  for (AnimationState* state : list.TakeAll()) delete state;
}

AnimationState::AnimationState(int32_t animationIndex, const char* owner, const char* object,
                               const char* property, uint8_t value)
    : AnimationState(animationIndex, RouteProperty(owner, object, property), value) {}

AnimationState::AnimationState(int32_t animationIndex, PropertyRef routed, uint8_t value)
    : animationIndex(animationIndex), watch(std::move(routed)), value(value) {
  typeCode = AIType::kAnimationState;
  if (!FirstByte(watch)) {
    watch = PropertyRef();
    Log("Animation State Constructor:  Warning, Watch Pointer was found to be NULL\n");
  }
}

AnimationState::~AnimationState() {
  DestroyStates(children);
  if (gAIManager != nullptr) gAIManager->Forget(this);
}

int32_t AnimationState::Resolve() const {
  const std::optional<uint8_t> watched = FirstByte(watch);
  if (!watched || *watched == value) return -1;
  int32_t answer = -1;
  children.ForEach([&answer](const std::string&, AnimationState* child) {
    if (answer == -1) answer = child->Resolve();
  });
  return answer != -1 ? answer : animationIndex;
}
