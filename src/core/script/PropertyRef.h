#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "core/Lifetime.h"

// The address of one routed value: its property type, a typed address and a watch on the object
// that holds it. A reference whose owner has been destroyed reads as missing (type 0, no
// address), so the callers that keep references for good (watching widgets, triggers, AI
// packages) never touch freed memory.
//
// Texts (type 3) come in two forms that the type code does not tell apart: the text itself, or a
// slot holding a pointer to the text (a line that is replaced as new lines arrive). The form
// travels inside the reference and ReadText() reads either one.
class PropertyRef {
 public:
  // The property types of the router's register.
  static constexpr int32_t kNone = 0;
  static constexpr int32_t kByte = 1;
  static constexpr int32_t kInteger = 2;
  static constexpr int32_t kText = 3;
  static constexpr int32_t kFloat = 4;
  static constexpr int32_t kDouble = 5;
  static constexpr int32_t kIdentifier = 6;
  static constexpr int32_t kImage = 10;
  static constexpr int32_t kImagePointer = -10;
  static constexpr int32_t kVariableStore = 40;
  static constexpr int32_t kPhysicsPack = 50;
  static constexpr int32_t kDimensions = 100;
  static constexpr int32_t kFloatingAIPackage = 1000;
  static constexpr int32_t kAIDrawingList = 1200;
  static constexpr int32_t kAIDrawingPackage = 1201;
  static constexpr int32_t kAnimation = 1202;

  // Missing: type 0, no address.
  PropertyRef() = default;

  static PropertyRef Byte(uint8_t& field, LifetimeToken owner);
  static PropertyRef Integer(int32_t& field, LifetimeToken owner);
  static PropertyRef Identifier(int32_t& field, LifetimeToken owner);
  static PropertyRef Float(float& field, LifetimeToken owner);
  static PropertyRef Double(double& field, LifetimeToken owner);
  // The text itself; the string must keep its place as long as its owner lives.
  static PropertyRef Text(std::string& field, LifetimeToken owner);
  // A slot that holds a pointer to the text (none while the slot is empty).
  static PropertyRef TextSlot(const std::string* const& slot, LifetimeToken owner);
  // One of the object kinds (image, image pointer, store, physics pack, Dimensions, AI package,
  // drawing list or package, animation); a primitive or text type code, or a none object, gives
  // a missing reference.
  static PropertyRef Object(int32_t type, void* object, LifetimeToken owner);

  // Whether there is an address and its owner still exists.
  bool IsAlive() const;
  // The property type; 0 when missing or when the owner is gone.
  int32_t GetType() const { return IsAlive() ? type : kNone; }

  // Typed access; each answers none unless the reference is alive and of that type.
  uint8_t* AsByte() const;
  // Types 2 and 6.
  int32_t* AsInteger() const;
  float* AsFloat() const;
  double* AsDouble() const;
  // The current text through either form; none when missing, not a text, or the slot is empty.
  const std::string* ReadText() const;
  // The object of an object kind, when the reference is alive and of exactly that type.
  template <class T>
  T* ObjectAs(int32_t expected) const {
    if (GetType() != expected) return nullptr;
    const auto* object = std::get_if<void*>(&address);
    return object != nullptr ? static_cast<T*>(*object) : nullptr;
  }

 private:
  using Address = std::variant<std::monostate, uint8_t*, int32_t*, float*, double*, std::string*,
                               const std::string* const*, void*>;
  PropertyRef(int32_t type, Address address, LifetimeToken owner)
      : type(type), address(address), owner(std::move(owner)) {}

  int32_t type = kNone;
  Address address;
  LifetimeToken owner;
};
