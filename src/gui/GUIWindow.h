#pragma once

#include <allegro5/allegro.h>

#include <cstdint>

#include "core/script/ScriptFamily.h"
#include "gui/GUIBaseObject.h"

// A plain window: a rectangle in its background colour holding other widgets. It stays dirty, and
// so does the widget that holds it; its buffer is drawn again when what it shows has changed.
class GUIWindow : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3300;

  GUIWindow();

  // Opaque; components outside 0 to 255 are held at the nearer end.
  void SetBackgroundColor(int32_t red, int32_t green, int32_t blue);
  bool IsPressed() const { return pressed; }

 protected:
  void Draw() override;
  bool DescribeDraw(DrawInputs& inputs) const override;
  void SkipDraw() override;
  void EndPress() override;
  // How every window's draw ends: it and its parent stay dirty, then the children.
  void FinishDraw();

  ALLEGRO_COLOR backgroundColour;
  // The mouse at the last press or drag step (the picture windows').
  int32_t windowAnchorX = 0;
  int32_t windowAnchorY = 0;
  bool held = false;
  bool pressed = false;
};

// The windows' script functions ("GUIRSW_", "GUISW_", "GUIW_"); the Lua manager registers them.
extern const ScriptFamily kGUIWindowFamily;
