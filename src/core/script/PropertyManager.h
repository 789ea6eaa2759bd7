#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "core/script/PropertyRef.h"

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
};
inline constexpr int kPropertyOwnerCount = 8;

// The property router: turns (owner, object, property) texts into a reference to the value and
// leaves its property type in a shared register. Each owner is reached through a slot that the
// owner's manager fills when it is created; the routed class answers for its own fields.
class PropertyManager {
 public:
  // Answers the instance that answers for an owner: for "GUI" the widget of the object's name
  // (searched without logging and without moving any list's shared cursor), for the owners with an
  // active instance the active one; none when there is none. The object text is never none.
  using Finder = std::function<PropertyHolder*(const char* object)>;

  // Registers the router's script functions with the Lua manager, when there is one. The "NPC"
  // owner is reached through the entity registry's active NPC from the start.
  PropertyManager();
  PropertyManager(const PropertyManager&) = delete;
  PropertyManager& operator=(const PropertyManager&) = delete;

  // Fills an owner's slot; an empty finder empties it. A manager that is destroyed empties its
  // slot first.
  void SetOwner(PropertyOwner owner, Finder finder);

  // Sets the register to 0, then asks the owner named (whole, case-sensitive) for the property
  // and leaves the answer's type in the register. An unknown owner, an empty slot, a missing
  // GUI object and a none property answer a missing reference silently; a missing active
  // drawing list, NPC or object logs its "Routing Function" line. None texts match nothing.
  PropertyRef Route(const char* owner, const char* object, const char* property);

  // The type left by the most recent lookup.
  int32_t GetType() const { return type; }
  void SetType(int32_t code) { type = code; }

 private:
  std::array<Finder, kPropertyOwnerCount> finders;
  int32_t type = 0;
};

// Registers "PM_GetValue", "PM_SetValue", "PM_GetPropertyPointerInteger" and
// "PM_SetPropertyPointerInteger"; the property manager's constructor calls it.
void RegisterPropertyFunctions(lua_State* state);
