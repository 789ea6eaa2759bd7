#pragma once

#include "core/script/PropertyRef.h"

// Anything the property router can ask for the address of one of its fields: the player, GUI
// widgets, the AI manager, NPCs, world objects, the chat log, the background manager. Each class
// answers for its own property names and reports its own misses in its own words.
class PropertyHolder {
 public:
  // The reference to the named property, or a missing one. The router passes texts that are
  // never none; the object is the second routing text, which most holders ignore.
  virtual PropertyRef GetPropertyAddress(const char* object, const char* property) {
    (void)object;
    (void)property;
    return PropertyRef();
  }

 protected:
  PropertyHolder() = default;
  ~PropertyHolder() = default;
  PropertyHolder(const PropertyHolder&) = default;
  PropertyHolder& operator=(const PropertyHolder&) = default;
};
