#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/script/PropertyRef.h"
#include "core/script/ScriptFamily.h"

class PropertyHolder;
struct lua_State;

// The owners that routing texts can name, in the order the router tries them.
enum class PropertyOwner {
  Player,
  GUI,
  AIManager,
  ActiveAIDrawingList,
  NPC,
  Object,
  ChatLog,
  BackgroundManager,
  Count,  // not an owner: the number of them
};
inline constexpr size_t kPropertyOwnerCount = static_cast<size_t>(PropertyOwner::Count);

// An owner's slot, filled for as long as this object lives: the owner's manager keeps one as a
// member, so the slot empties when the manager is destroyed, and a manager created before the
// router is reached all the same. While two slots of one owner live, the newer one answers.
class PropertyOwnerSlot {
 public:
  // Answers the instance that answers for the owner: for "GUI" the widget of the object's name
  // (searched without logging and without moving any list's shared cursor), for the owners with an
  // active instance the active one; none when there is none. The object text is never none.
  using Finder = std::function<PropertyHolder*(const char* object)>;

  PropertyOwnerSlot(PropertyOwner owner, Finder finder);
  ~PropertyOwnerSlot();
  PropertyOwnerSlot(const PropertyOwnerSlot&) = delete;
  PropertyOwnerSlot& operator=(const PropertyOwnerSlot&) = delete;

  // The live slot of the owner that answers; none when no slot of it lives.
  static const PropertyOwnerSlot* Of(PropertyOwner owner);
  PropertyHolder* Find(const char* object) const { return finder(object); }

 private:
  PropertyOwner owner;
  Finder finder;
};

// The property router: turns (owner, object, property) texts into a reference to the value and
// leaves its property type in a shared register. Each owner is reached through its slot; the
// routed class answers for its own fields.
class PropertyManager {
 public:
  // Registers the router's script functions with the Lua manager, when there is one.
  PropertyManager();
  PropertyManager(const PropertyManager&) = delete;
  PropertyManager& operator=(const PropertyManager&) = delete;

  // Sets the register to 0, then asks the owner named (whole, case-sensitive) for the property
  // and leaves the answer's type in the register. An unknown owner, an empty slot, a missing
  // GUI object and a none property answer a missing reference silently; a missing active
  // drawing list, NPC or object logs its "Routing Function" line. None texts match nothing.
  PropertyRef Route(const char* owner, const char* object, const char* property);

  // The type left by the most recent lookup.
  int32_t GetType() const { return type; }
  void SetType(int32_t code) { type = code; }

 private:
  int32_t type = 0;
};

// Routes through the process's router; a missing reference while there is none.
PropertyRef RouteProperty(const char* owner, const char* object, const char* property);

// "PM_GetValue", "PM_SetValue", "PM_GetPropertyPointerInteger" and
// "PM_SetPropertyPointerInteger"; the property manager's constructor registers them.
extern const ScriptFamily kPropertyFamily;
