#include "gui/GUICheckBox.h"

#include "core/Globals.h"
#include "core/script/LuaManager.h"
#include "resources/DataLibrary.h"

namespace {

ImageObject* MiscImage(const char* name) {
  return gDataLibrary != nullptr
             ? gDataLibrary->GetEntry<ImageObject>("Images", "GUI", "Misc", name)
             : nullptr;
}

std::optional<std::string> Copy(const char* text) {
  return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

}  // namespace

GUICheckBox::GUICheckBox()
    : checkedImage(MiscImage("CheckBoxChecked")), uncheckedImage(MiscImage("CheckBoxUnchecked")) {
  typeCode = kTypeCode;
}

void GUICheckBox::SetFiringData(const char* check, int32_t checkScriptCode, const char* uncheck,
                                int32_t uncheckScriptCode) {
  checkScript = Copy(check);
  checkCode = checkScriptCode;
  uncheckScript = Copy(uncheck);
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
  // The script may retire this box: it is copied out first and nothing is touched afterwards.
  const std::optional<std::string> script = state ? checkScript : uncheckScript;
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
