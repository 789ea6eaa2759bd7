#pragma once

#include <cstdint>
#include <vector>

#include "core/Lifetime.h"
#include "core/RepeatedFailure.h"
#include "core/RootObject.h"

class Animation;
class ImageObject;

// A shared, script-built array of animations, one per animation index of the state trees that
// use it. The animations belong to the AI manager; a slot whose animation was destroyed reads as
// empty.
class AIDrawingPackage : public RootObject {
 public:
  // The most slots one package may hold; larger arrays are refused.
  static constexpr int32_t kMaxSlots = 1 << 16;

  AIDrawingPackage();
  ~AIDrawingPackage();

  // A new array of empty slots; a count below 1 gives none. Answers false, changing nothing,
  // above kMaxSlots.
  bool AllocateSpace(int32_t count);
  // Inside the array: the slot takes the AI manager's first animation of that name, or none.
  void SetAnimation(int32_t index, const char* name);
  int32_t GetCount() const { return static_cast<int32_t>(slots.size()); }
  Animation* GetAnimation(int32_t index) const;

  // Draws the frame of the animation at that index for the time and row onto the target with the
  // palette (a negative one leaves the global palette number as it is). Each failure draws
  // nothing and logs its line when the caller's record of its failures lets it (the caller draws
  // every frame: the same failure again is not logged until a draw has succeeded).
  void DrawToImage(ImageObject* target, int32_t index, int32_t palette, int32_t time, int32_t row,
                   int32_t x, int32_t y, int32_t flags, RepeatedFailure& failures) const;

 private:
  struct Slot {
    Animation* animation = nullptr;
    LifetimeToken alive;
  };
  std::vector<Slot> slots;
};
