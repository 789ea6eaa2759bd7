#include "gui/GUICheckBox.h"

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/script/LuaManager.h"

GUICheckBox::GUICheckBox()
    : checkedImage(GUIImageEntry("Misc", "CheckBoxChecked")),
      uncheckedImage(GUIImageEntry("Misc", "CheckBoxUnchecked")) {
  typeCode = kTypeCode;
}

void GUICheckBox::SetFiringData(const char* check, int32_t checkScriptCode, const char* uncheck,
                                int32_t uncheckScriptCode) {
  checkScript = OptionalText(check);
  checkCode = checkScriptCode;
  uncheckScript = OptionalText(uncheck);
  uncheckCode = uncheckScriptCode;
}

bool GUICheckBox::OnInput(int32_t event, int32_t x, int32_t y) {
  if (event == kPress) {
    pressed = IsInside(x, y);
    return pressed;
  }
  if (event != kRelease || !IsInside(x, y) || !pressed) return false;
  pressed = false;
  state = !state;
  SetDirty();
  // The script may retire this box: nothing of it is touched afterwards.
  const std::optional<std::string>& script = state ? checkScript : uncheckScript;
  const int32_t code = state ? checkCode : uncheckCode;
  if (script && gLuaManager != nullptr) gLuaManager->ExecuteScript(script->c_str(), code);
  return true;
}

bool GUICheckBox::DescribeDraw(DrawInputs& inputs) const {
  inputs.Add(state ? checkedImage : uncheckedImage);
  return DescribeChildren(inputs);
}

void GUICheckBox::SkipDraw() { SkipChildren(); }

void GUICheckBox::Draw() {
  if (const ImageObject* image = state ? checkedImage : uncheckedImage) image->DrawAt(0, 0, 0);
  RenderChildren(Buffer());
}
