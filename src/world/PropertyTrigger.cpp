#include "world/PropertyTrigger.h"

#include <algorithm>
#include <cstring>

#include "core/Globals.h"
#include "core/script/PropertyManager.h"

bool TriggerComparison::Holds(float value) const {
  switch (operation) {
    case 0:
      return true;
    case 1:
      return value == operand;
    case 2:
      return value < operand;
    case 3:
      return value <= operand;
    case 4:
      return value > operand;
    case 5:
      return value >= operand;
    case 6:
      return !(value == operand);
    default:
      return false;
  }
}

PropertyTrigger::PropertyTrigger(const char* name) : Trigger(kProperty) { SetName(name); }

void PropertyTrigger::AddComparison(const char* label, int32_t operation, float operand) {
  if (label == nullptr) return;
  comparisons.push_back({label, {operation, operand}});
}

PropertyTrigger::Labelled* PropertyTrigger::FindComparison(const char* label) {
  if (label == nullptr) return nullptr;
  const auto found = std::find_if(comparisons.begin(), comparisons.end(),
                                  [label](const Labelled& entry) { return entry.label == label; });
  return found != comparisons.end() ? &*found : nullptr;
}

void PropertyTrigger::ModifyComparison(const char* label, int32_t operation, float operand) {
  if (Labelled* entry = FindComparison(label)) entry->comparison = {operation, operand};
}

void PropertyTrigger::RemoveComparison(const char* label) {
  if (Labelled* entry = FindComparison(label))
    comparisons.erase(comparisons.begin() + (entry - comparisons.data()));
}

void PropertyTrigger::WatchRoutedProperty(const char* owner, const char* object,
                                          const char* property) {
  Watch(RouteProperty(owner, object, property));
}

void PropertyTrigger::Watch(const PropertyRef& ref) {
  watched = PropertyRef();
  watchedKind = kWatchesNothing;
  switch (ref.GetType()) {
    case PropertyRef::kInteger:
      watchedKind = kWatchesInteger;
      break;
    case PropertyRef::kFloat:
      watchedKind = kWatchesFloat;
      break;
    case PropertyRef::kText:
      watchedKind = kWatchesText;
      break;
    default:
      return;
  }
  watched = ref;
}

bool PropertyTrigger::ReadValue(float& value) const {
  switch (watchedKind) {
    case kWatchesInteger:
      if (const int32_t* integer = watched.AsInteger()) {
        value = static_cast<float>(*integer);
        return true;
      }
      return false;
    case kWatchesFloat:
      if (const float* number = watched.AsFloat()) {
        value = *number;
        return true;
      }
      return false;
    case kWatchesText:
      if (const std::string* text = watched.ReadText()) {
        value = static_cast<float>(static_cast<signed char>(text->empty() ? '\0' : (*text)[0]));
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool PropertyTrigger::Check() const {
  float value = 0.0f;
  if (!ReadValue(value)) return false;
  return std::all_of(comparisons.begin(), comparisons.end(),
                     [value](const Labelled& entry) { return entry.comparison.Holds(value); });
}

int32_t PropertyTrigger::Update(float elapsed) {
  CountDelay(elapsed);
  if (Check()) return Fire();
  Rearm();
  return kNotHeld;
}

void PropertyTrigger::DebugDraw(const ALLEGRO_FONT* font, int32_t& line, int32_t) {
  float value = 0.0f;
  const bool alive = ReadValue(value);
  switch (alive ? watchedKind : kWatchesNothing) {
    case kWatchesInteger:
      DrawLine(font, line, " Which is an Integer");
      DrawLine(font, line, " Watching: %i", *watched.AsInteger());
      break;
    case kWatchesFloat:
      DrawLine(font, line, " Which is a float");
      DrawLine(font, line, " Watching: %f", static_cast<double>(*watched.AsFloat()));
      break;
    case kWatchesText:
      DrawLine(font, line, " Which is a string");
      DrawLine(font, line, " Watching: %s", watched.ReadText()->c_str());
      break;
    default:
      break;
  }
  if (comparisons.empty()) DrawLine(font, line, " Trigger has no equivalency data");
  for (const Labelled& entry : comparisons) {
    DrawLine(font, line, " Equiv: %i against %f", entry.comparison.operation,
             static_cast<double>(entry.comparison.operand));
  }
  DrawLine(font, line, " For:  %i", counter);
}
