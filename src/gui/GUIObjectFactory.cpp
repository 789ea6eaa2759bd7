#include "gui/GUIObjectFactory.h"

#include "gui/GUIBaseObject.h"
#include "gui/GUIResizeWindow.h"
#include "gui/GUIScrollableWindow.h"
#include "gui/GUIWindow.h"

namespace {

template <class Widget>
std::unique_ptr<GUIBaseObject> Make() {
  return std::make_unique<Widget>();
}

// A widget that lands fills its row.
constexpr GUIObjectType kTypes[] = {
    {"GUISmartText", nullptr},
    {"GUITextLine", nullptr},
    {"GUIButton", nullptr},
    {"GUISmartImage", nullptr},
    {"GUIScrollBar", nullptr},
    {"GUICheckBox", nullptr},
    {"GUIImage", nullptr},
    {"GUIColorBox", nullptr},
    {"GUIInputBox", nullptr},
    {"GUIWindow", &Make<GUIWindow>},
    {"GUIScrollableWindow", &Make<GUIScrollableWindow>},
    {"GUIResizeWindow", &Make<GUIResizeWindow>},
    {"GUIEnvironmentWindow", nullptr},
    {"GUIList", nullptr},
    {"GUIDropMenu", nullptr},
};

}  // namespace

std::span<const GUIObjectType> GUIObjectTypes() { return kTypes; }

std::unique_ptr<GUIBaseObject> CreateGUIObject(std::string_view typeName) {
  for (const GUIObjectType& type : kTypes) {
    if (type.name == typeName) return type.create != nullptr ? type.create() : nullptr;
  }
  return nullptr;
}
