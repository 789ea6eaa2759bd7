#include "gui/GUIObjectFactory.h"

#include "gui/GUIBaseObject.h"
#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIColorBox.h"
#include "gui/GUIDropMenu.h"
#include "gui/GUIEnvironmentWindow.h"
#include "gui/GUIImage.h"
#include "gui/GUIInputTextBox.h"
#include "gui/GUIList.h"
#include "gui/GUIResizeWindow.h"
#include "gui/GUIScrollBar.h"
#include "gui/GUIScrollableWindow.h"
#include "gui/GUISmartImage.h"
#include "gui/GUISmartTextLine.h"
#include "gui/GUITextLine.h"
#include "gui/GUIWindow.h"

namespace {

template <class Widget>
std::unique_ptr<GUIBaseObject> Make() {
  return std::make_unique<Widget>();
}

constexpr GUIObjectType kTypes[] = {
    {"GUISmartText", &Make<GUISmartTextLine>},
    {"GUITextLine", &Make<GUITextLine>},
    {"GUIButton", &Make<GUIButton>},
    {"GUISmartImage", &Make<GUISmartImage>},
    {"GUIScrollBar", &Make<GUIScrollBar>},
    {"GUICheckBox", &Make<GUICheckBox>},
    {"GUIImage", &Make<GUIImage>},
    {"GUIColorBox", &Make<GUIColorBox>},
    {"GUIInputBox", &Make<GUIInputTextBox>},
    {"GUIWindow", &Make<GUIWindow>},
    {"GUIScrollableWindow", &Make<GUIScrollableWindow>},
    {"GUIResizeWindow", &Make<GUIResizeWindow>},
    {"GUIEnvironmentWindow", &Make<GUIEnvironmentWindow>},
    {"GUIList", &Make<GUIList>},
    {"GUIDropMenu", &Make<GUIDropMenu>},
};

}  // namespace

std::span<const GUIObjectType> GUIObjectTypes() { return kTypes; }

std::unique_ptr<GUIBaseObject> CreateGUIObject(std::string_view typeName) {
  for (const GUIObjectType& type : kTypes) {
    if (type.name == typeName) return type.create();
  }
  return nullptr;
}
