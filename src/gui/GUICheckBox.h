#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/script/ScriptFamily.h"
#include "gui/GUIBaseObject.h"

// A two-state image box: a click (a press and a release inside it) unchecks a checked box and
// runs the uncheck script, or checks an unchecked one and runs the check script. It starts
// checked, and stays dirty: it shows a change on the next frame.
class GUICheckBox : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3020;

  // The two pictures from Images/GUI/Misc, "CheckBoxChecked" and "CheckBoxUnchecked".
  GUICheckBox();

  // Copies of both names (none: that script never runs) and both codes.
  void SetFiringData(const char* checkScript, int32_t checkCode, const char* uncheckScript,
                     int32_t uncheckCode);
  bool IsChecked() const { return state; }
  bool IsPressed() const { return pressed; }

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void Draw() override;
  bool DescribeDraw(DrawInputs& inputs) const override;
  void SkipDraw() override;
  // Every release ends the press, so a press long ago never counts as part of a click.
  void EndPress() override { pressed = false; }

 private:
  bool state = true;
  bool pressed = false;
  ImageObject* checkedImage = nullptr;
  ImageObject* uncheckedImage = nullptr;
  std::optional<std::string> checkScript;
  std::optional<std::string> uncheckScript;
  int32_t checkCode = -1;
  int32_t uncheckCode = -1;
};

// The check boxes' script function ("GUICB_"); the Lua manager registers it.
extern const ScriptFamily kGUICheckBoxFamily;
