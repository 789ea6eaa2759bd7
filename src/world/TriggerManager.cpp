#include "world/TriggerManager.h"

#include <algorithm>
#include <string>

#include "core/Graveyard.h"
#include "resources/ImageObject.h"
#include "world/PropertyTrigger.h"
#include "world/RadialTrigger.h"
#include "world/RectangularTrigger.h"
#include "world/Trigger.h"

TriggerManager::~TriggerManager() {
  for (Trigger* trigger : triggers) delete trigger;
}

void TriggerManager::Update(float elapsed) {
  const Graveyard::Walk walk;
  ++walks;
  // By place, so that triggers appended by a script are reached in this pass.
  for (size_t index = 0; index < triggers.size(); ++index) {
    Trigger* trigger = triggers[index];
    if (trigger == nullptr) continue;
    const int32_t result = trigger->Update(elapsed);
    if (result == Trigger::kFiredAndDone && index < triggers.size() && triggers[index] == trigger) {
      Retire(index);
    }
  }
  if (--walks == 0)
    triggers.erase(std::remove(triggers.begin(), triggers.end(), nullptr), triggers.end());
}

void TriggerManager::Append(Trigger* trigger) {
  triggers.push_back(trigger);
  trigger->SetProperties("Nothing", -1, 0.0f, 0, 0);
  active = trigger;
}

Trigger* TriggerManager::AddRectangularTrigger(const char* name, int32_t x1, int32_t y1, int32_t x2,
                                               int32_t y2) {
  auto* trigger = new RectangularTrigger(name, x1, y1, x2, y2);
  Append(trigger);
  return trigger;
}

Trigger* TriggerManager::AddRadialTrigger(const char* name, int32_t x, int32_t y, int32_t radius) {
  auto* trigger = new RadialTrigger(name, x, y, radius);
  Append(trigger);
  return trigger;
}

PropertyTrigger* TriggerManager::AddPropertyTrigger(const char* name) {
  auto* trigger = new PropertyTrigger(name);
  Append(trigger);
  return trigger;
}

Trigger* TriggerManager::FindTrigger(const char* name) const {
  if (name == nullptr) return nullptr;
  for (Trigger* trigger : triggers) {
    if (trigger != nullptr && trigger->GetName() == name) return trigger;
  }
  return nullptr;
}

void TriggerManager::SetActiveTrigger(const char* name) { active = FindTrigger(name); }

PropertyTrigger* TriggerManager::GetActivePropertyTrigger() const {
  return active != nullptr && active->GetKind() == Trigger::kProperty
             ? static_cast<PropertyTrigger*>(active)
             : nullptr;
}

void TriggerManager::Retire(size_t index) {
  Trigger* trigger = triggers[index];
  if (trigger == active) active = nullptr;
  if (walks > 0) {
    triggers[index] = nullptr;
  } else {
    triggers.erase(triggers.begin() + static_cast<std::ptrdiff_t>(index));
  }
  // A trigger whose script is still running is destroyed once the walk is over.
  ProcessGraveyard().Bury(trigger);
}

void TriggerManager::RemoveTrigger(const char* name) {
  Trigger* trigger = FindTrigger(name);
  if (trigger == nullptr) return;
  Retire(
      static_cast<size_t>(std::find(triggers.begin(), triggers.end(), trigger) - triggers.begin()));
}

void TriggerManager::ClearTriggers() {
  for (size_t index = triggers.size(); index-- > 0;) {
    if (triggers[index] != nullptr) Retire(index);
  }
}

int32_t TriggerManager::GetCount() const {
  return static_cast<int32_t>(std::count_if(triggers.begin(), triggers.end(),
                                            [](const Trigger* t) { return t != nullptr; }));
}

Trigger* TriggerManager::GetAt(int32_t index) const {
  for (Trigger* trigger : triggers) {
    if (trigger == nullptr) continue;
    if (index-- == 0) return trigger;
  }
  return nullptr;
}

void TriggerManager::DebugList(ImageObject* target, const ALLEGRO_FONT* font) {
  if (target == nullptr) return;
  target->SetAsTarget();
  if (font != nullptr) {
    al_draw_textf(font, al_map_rgb(255, 255, 255), 0, 300, 0, "Manager has %i Triggers in it",
                  GetCount());
  }
  int32_t line = 308;
  int32_t index = 0;
  for (size_t place = 0; place < triggers.size(); ++place) {
    if (Trigger* trigger = triggers[place]) trigger->DebugDraw(font, line, index++);
  }
}
