#pragma once

#include <cstdint>

#include "core/script/ScriptFamily.h"
#include "gui/GUIBaseObject.h"

// A box filled with one colour whose four components are routed integers ("Red", "Green",
// "Blue", "Alpha"), so other parts of the game can change them; the low byte of each is used. It
// starts fully transparent and stays dirty: a changed component shows on the next frame.
class GUIColorBox : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3030;

  GUIColorBox();

  void SetColorData(int32_t red, int32_t green, int32_t blue, int32_t alpha);
  int32_t GetRed() const { return red; }
  int32_t GetGreen() const { return green; }
  int32_t GetBlue() const { return blue; }
  int32_t GetAlpha() const { return alpha; }

  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

 protected:
  void Draw() override;
  bool DescribeDraw(DrawInputs& inputs) const override;
  void SkipDraw() override;

 private:
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;
  int32_t alpha = 0;
};

// The colour boxes' script function ("GUIColB_"); the Lua manager registers it.
extern const ScriptFamily kGUIColorBoxFamily;
