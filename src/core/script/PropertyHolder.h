#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "core/Lifetime.h"
#include "core/script/PropertyRef.h"

// Anything the property router can ask for the address of one of its fields: the player, GUI
// widgets, the AI manager, NPCs, world objects, the chat log, the background manager. Each class
// answers for its own property names and reports its own misses in its own words; most answer
// from a field table (below).
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

// One row of a holder's field table: the property name and how to reach the field.
template <class Holder>
struct PropertyField {
  const char* name;
  PropertyRef (*address)(Holder& holder, LifetimeToken owner);
};

namespace property_field {
template <class>
struct MemberOf;
template <class Class, class Type>
struct MemberOf<Type Class::*> {
  using Holder = Class;
};
template <auto member>
using HolderOf = typename MemberOf<decltype(member)>::Holder;
}  // namespace property_field

// A field of a primitive or text kind, made by one of PropertyRef's makers:
//   FieldOf<&Player::health, PropertyRef::Integer>("Health")
template <auto member, auto make>
constexpr PropertyField<property_field::HolderOf<member>> FieldOf(const char* name) {
  using Holder = property_field::HolderOf<member>;
  return {name, [](Holder& holder, LifetimeToken owner) {
            return make(holder.*member, std::move(owner));
          }};
}

// A field of one of the object kinds: ObjectFieldOf<&Player::box, PropertyRef::kDimensions>(...).
template <auto member, int32_t type>
constexpr PropertyField<property_field::HolderOf<member>> ObjectFieldOf(const char* name) {
  using Holder = property_field::HolderOf<member>;
  return {name, [](Holder& holder, LifetimeToken owner) {
            return PropertyRef::Object(type, &(holder.*member), std::move(owner));
          }};
}

// The first field of the table with that name (whole, case-sensitive), watched through the
// owner's token; a missing reference for any other name and for none.
template <class Holder, size_t count>
PropertyRef AnswerFromFields(const PropertyField<Holder> (&fields)[count], Holder& holder,
                             const char* property, LifetimeToken owner) {
  if (property == nullptr) return PropertyRef();
  for (const PropertyField<Holder>& field : fields) {
    if (std::strcmp(field.name, property) == 0) return field.address(holder, std::move(owner));
  }
  return PropertyRef();
}
