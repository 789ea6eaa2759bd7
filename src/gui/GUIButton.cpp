#include "gui/GUIButton.h"

#include <cstring>

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/script/LuaManager.h"
#include "gui/GUIManager.h"
#include "gui/GUIScrollBar.h"

namespace {

GUIBaseObject* FiredButtonParent() {
  GUIBaseObject* button = gGUIManager != nullptr ? gGUIManager->GetLastFiredButton() : nullptr;
  return button != nullptr ? button->GetParent() : nullptr;
}

bool HideParent() {
  GUIBaseObject* parent = FiredButtonParent();
  if (parent != nullptr) parent->Hide();
  return parent != nullptr;
}

bool ShowParent() {
  GUIBaseObject* parent = FiredButtonParent();
  if (parent != nullptr) parent->Show();
  return parent != nullptr;
}

bool ScrollIncrement() { return GUIScrollBar::StepForButton(1); }
bool ScrollDecrement() { return GUIScrollBar::StepForButton(-1); }

struct NamedAction {
  const char* name;
  GUIButton::Action action;
};

constexpr NamedAction kActions[] = {
    {"Button_Hide_Parent", &HideParent},
    {"Button_Show_Parent", &ShowParent},
    {"Button_Scrollbar_Increment", &ScrollIncrement},
    {"Button_Scrollbar_Decrement", &ScrollDecrement},
};

}  // namespace

GUIButton::GUIButton() { typeCode = kTypeCode; }

void GUIButton::SetImages(const char* normal, const char* hovered, const char* held) {
  normalImage = GUIImageEntry("Buttons", normal);
  hoverImage = GUIImageEntry("Buttons", hovered);
  pressedImage = GUIImageEntry("Buttons", held);
}

void GUIButton::SetDisplayData(int32_t value, int32_t flags) {
  displayValue = value;
  drawFlags = flags;
}

void GUIButton::SetScriptData(const char* name, int32_t code) {
  action = nullptr;
  scriptMode = true;
  scriptName = OptionalText(name);
  scriptCode = code;
}

void GUIButton::SetFunction(const char* name) {
  action = FindAction(name);
  scriptMode = false;
  scriptName.reset();
}

GUIButton::Action GUIButton::FindAction(const char* name) {
  if (name == nullptr) return nullptr;
  for (const NamedAction& row : kActions) {
    if (std::strcmp(row.name, name) == 0) return row.action;
  }
  return nullptr;
}

bool GUIButton::TakeReleased() {
  const bool both = pressed && releasedInside;
  pressed = releasedInside = false;
  return both;
}

bool GUIButton::OnInput(int32_t event, int32_t x, int32_t y) {
  SetDirty();
  switch (event) {
    case kTick:
      hover = IsInside(x, y);
      return false;
    case kPress:
      pressed = IsInside(x, y);
      return pressed;
    case kRelease: {
      releasedInside = IsInside(x, y);
      const bool clicked = pressed && releasedInside;
      pressed = releasedInside = false;
      if (!clicked) return false;
      if (gGUIManager != nullptr) gGUIManager->SetLastFiredButton(this);
      // The script may retire this button: nothing of it is touched afterwards.
      if (scriptMode) {
        if (gLuaManager != nullptr && scriptName) {
          gLuaManager->ExecuteScript(scriptName->c_str(), scriptCode);
        }
      } else if (action != nullptr) {
        action();
      }
      return true;
    }
    default:
      return false;
  }
}

const ImageObject* GUIButton::Shown() const {
  return pressed ? pressedImage : hover ? hoverImage : normalImage;
}

bool GUIButton::DescribeDraw(DrawInputs& inputs) const {
  inputs.Add(Shown());
  inputs.Add(static_cast<uint64_t>(static_cast<uint32_t>(drawFlags)));
  return DescribeChildren(inputs);
}

void GUIButton::SkipDraw() {
  SkipChildren();
  dirty = false;
}

void GUIButton::Draw() {
  const ImageObject* image = Shown();
  if (image != nullptr) image->DrawAt(0, 0, drawFlags);
  RenderChildren(Buffer());
  dirty = false;
}

void GUIButton::EndPress() { pressed = releasedInside = false; }
