#pragma once

#include <allegro5/allegro_font.h>

#include <cstdint>
#include <lua.hpp>
#include <vector>

#include "core/script/ScriptFamily.h"

class ImageObject;
class PropertyTrigger;
class Trigger;

// Every trigger, in creation order, and the active one that the trigger script functions act on.
// Names need not be unique; look-ups take the first. Triggers outlive map changes.
class TriggerManager {
 public:
  TriggerManager() = default;
  ~TriggerManager();
  TriggerManager(const TriggerManager&) = delete;
  TriggerManager& operator=(const TriggerManager&) = delete;

  // Each trigger's update from the first to the last, those added meanwhile included; one that
  // answers it is done is destroyed (and stops being active). A script run by a trigger may add
  // triggers or change the map: the walk goes on.
  void Update(float elapsed);

  // Each makes the trigger, appends it, gives it the script "Nothing", the argument -1, no delay,
  // neither once nor no-repeat (logging them) and makes it active.
  Trigger* AddRectangularTrigger(const char* name, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  Trigger* AddRadialTrigger(const char* name, int32_t x, int32_t y, int32_t radius);
  PropertyTrigger* AddPropertyTrigger(const char* name);

  // The first trigger of that name, or none, becomes active.
  void SetActiveTrigger(const char* name);
  Trigger* GetActiveTrigger() const { return active; }
  // The active trigger when it is a property trigger.
  PropertyTrigger* GetActivePropertyTrigger() const;

  // Destroys the first trigger of that name (after the walk, when one runs).
  void RemoveTrigger(const char* name);
  void ClearTriggers();
  Trigger* FindTrigger(const char* name) const;
  int32_t GetCount() const;
  Trigger* GetAt(int32_t index) const;

  // Onto the target: the count at y 300, then every trigger's lines from y 308.
  void DebugList(ImageObject* target, const ALLEGRO_FONT* font);

 private:
  void Append(Trigger* trigger);
  // Takes the trigger at that place out for good.
  void Retire(size_t index);

  // A retired trigger leaves an empty place while a walk runs; the walk's end closes them up.
  std::vector<Trigger*> triggers;
  Trigger* active = nullptr;
  int32_t walks = 0;
};

// "SetActiveTrigger", "AddRectangularTrigger", "AddRadialTrigger", "AddPropertyTrigger",
// "SetTriggerProperties", "TriggerWatchProperty", "TriggerAddEquivalency",
// "TriggerModifyEquivalency", "TriggerRemoveEquivalency", "TriggerClearEquivalencies"; the Lua
// manager registers them.
extern const ScriptFamily kTriggerFamily;
