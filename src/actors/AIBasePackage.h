#pragma once

#include <cstdint>

#include "core/RootEntity.h"

// One piece of behaviour run once per tick, queued on an NPC or floating in the AI manager. It is
// wired by address to the fields of its owner and works on them directly. Every package class
// answers no property. Destroying a package clears the AI manager's slots and list entries that
// name it.
class AIBasePackage : public RootEntity {
 public:
  AIBasePackage();
  ~AIBasePackage() override;

  // Set and cleared by scripts; no update consults it.
  bool IsActive() const { return active != 0; }
  void SetActive(bool on) { active = on ? 1 : 0; }
  // Set when the package's work is done; the NPC's queue then removes it.
  bool IsFinished() const { return finished != 0; }
  // Set by SyncWith when every address it was given is there.
  bool IsSynced() const { return synced != 0; }

 protected:
  uint8_t active = 1;
  uint8_t finished = 0;
  uint8_t synced = 0;
};

// The AI type codes.
namespace AIType {
inline constexpr int32_t kBasePackage = 1000;
inline constexpr int32_t kBasePath = 1100;
inline constexpr int32_t kSlidePath = 1101;
inline constexpr int32_t kSlideBouncePath = 1102;
inline constexpr int32_t kFollowing = 1103;
inline constexpr int32_t kDrawingList = 1200;
inline constexpr int32_t kDrawingPackage = 1201;
inline constexpr int32_t kAnimation = 1202;
inline constexpr int32_t kAnimationState = 1203;
inline constexpr int32_t kValueRouter = 1300;
inline constexpr int32_t kValueScaleRouter = 1301;
inline constexpr int32_t kAutoScript = 1302;
inline constexpr int32_t kFrameSetter = 1400;
inline constexpr int32_t kTarget = 1500;
inline constexpr int32_t kTargetBlocker = 1501;
}  // namespace AIType

struct Dimensions;

// The box from the centre and the size, halves truncated.
void RecomputeBounds(Dimensions& body);
