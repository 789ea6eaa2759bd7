#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/script/PropertyRef.h"
#include "world/Trigger.h"

// One comparison of the watched value (on the left) with the operand: 0 always holds, 1 equal,
// 2 less, 3 less or equal, 4 greater, 5 greater or equal, 6 different (also when either is not a
// number); any other operation never holds.
struct TriggerComparison {
  int32_t operation;
  float operand;

  bool Holds(float value) const;
};

// Fires when every comparison of one watched value holds: an integer, a float or a text (its
// first character's code, as a signed byte) of some routed object. Until a value is watched, and
// once its owner is gone, it never fires.
class PropertyTrigger final : public Trigger {
 public:
  static constexpr int32_t kWatchesNothing = 0;
  static constexpr int32_t kWatchesInteger = 1;
  static constexpr int32_t kWatchesFloat = 2;
  static constexpr int32_t kWatchesText = 3;

  explicit PropertyTrigger(const char* name);

  int32_t Update(float elapsed) override;
  void DebugDraw(const ALLEGRO_FONT* font, int32_t& line, int32_t index) override;

  // Appends, whatever the label's other comparisons.
  void AddComparison(const char* label, int32_t operation, float operand);
  // Each acts on the first comparison of the label; nothing when there is none.
  void ModifyComparison(const char* label, int32_t operation, float operand);
  void RemoveComparison(const char* label);
  void ClearComparisons() { comparisons.clear(); }
  int32_t GetComparisonCount() const { return static_cast<int32_t>(comparisons.size()); }

  // Routes the three texts and watches an integer, float or text property; any other type, or a
  // miss, leaves nothing watched.
  void WatchRoutedProperty(const char* owner, const char* object, const char* property);
  // Watches the reference as the router would have handed it.
  void Watch(const PropertyRef& ref);
  int32_t GetWatchedKind() const { return watchedKind; }

  // The check: the watched value as a float against every comparison in order (an empty list
  // holds); fails when nothing is watched or its owner is gone.
  bool Check() const;

 private:
  struct Labelled {
    std::string label;
    TriggerComparison comparison;
  };
  Labelled* FindComparison(const char* label);
  bool ReadValue(float& value) const;

  PropertyRef watched;
  int32_t watchedKind = kWatchesNothing;
  std::vector<Labelled> comparisons;
  int32_t counter = 0;
};
