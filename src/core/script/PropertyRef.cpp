#include "core/script/PropertyRef.h"

#include <utility>

PropertyRef PropertyRef::Byte(uint8_t& field, LifetimeToken owner) {
  return PropertyRef(kByte, &field, std::move(owner));
}

PropertyRef PropertyRef::Integer(int32_t& field, LifetimeToken owner) {
  return PropertyRef(kInteger, &field, std::move(owner));
}

PropertyRef PropertyRef::Identifier(int32_t& field, LifetimeToken owner) {
  return PropertyRef(kIdentifier, &field, std::move(owner));
}

PropertyRef PropertyRef::Float(float& field, LifetimeToken owner) {
  return PropertyRef(kFloat, &field, std::move(owner));
}

PropertyRef PropertyRef::Double(double& field, LifetimeToken owner) {
  return PropertyRef(kDouble, &field, std::move(owner));
}

PropertyRef PropertyRef::Text(std::string& field, LifetimeToken owner) {
  return PropertyRef(kText, &field, std::move(owner));
}

PropertyRef PropertyRef::TextSlot(const std::string* const& slot, LifetimeToken owner) {
  return PropertyRef(kText, &slot, std::move(owner));
}

PropertyRef PropertyRef::Object(int32_t type, void* object, LifetimeToken owner) {
  switch (type) {
    case kNone:
    case kByte:
    case kInteger:
    case kText:
    case kFloat:
    case kDouble:
    case kIdentifier:
      return PropertyRef();
    default:
      break;
  }
  if (object == nullptr) return PropertyRef();
  return PropertyRef(type, object, std::move(owner));
}

bool PropertyRef::IsAlive() const {
  return !std::holds_alternative<std::monostate>(address) && owner.IsAlive();
}

uint8_t* PropertyRef::AsByte() const {
  return GetType() == kByte ? std::get<uint8_t*>(address) : nullptr;
}

int32_t* PropertyRef::AsInteger() const {
  const int32_t current = GetType();
  return current == kInteger || current == kIdentifier ? std::get<int32_t*>(address) : nullptr;
}

float* PropertyRef::AsFloat() const {
  return GetType() == kFloat ? std::get<float*>(address) : nullptr;
}

double* PropertyRef::AsDouble() const {
  return GetType() == kDouble ? std::get<double*>(address) : nullptr;
}

const std::string* PropertyRef::ReadText() const {
  if (GetType() != kText) return nullptr;
  if (const auto* text = std::get_if<std::string*>(&address)) return *text;
  return *std::get<const std::string* const*>(address);
}
