#pragma once

#include <memory>
#include <span>
#include <string_view>

class GUIBaseObject;

// The widget types that scripts name to GUIOL_AddObject, in the order the names are compared.
struct GUIObjectType {
  const char* name;
  std::unique_ptr<GUIBaseObject> (*create)();
};

std::span<const GUIObjectType> GUIObjectTypes();

// A new widget of the type named exactly; none for any other name.
std::unique_ptr<GUIBaseObject> CreateGUIObject(std::string_view typeName);
