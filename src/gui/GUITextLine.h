#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "core/script/ScriptFamily.h"
#include "gui/GUIBaseObject.h"

// One line of text in the system font ("Fonts/General/System/SystemFont"). With auto-size on, a
// text of a new length resizes the line to 10 pixels per character by 16 (which also shows it).
class GUITextLine : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3200;
  // The text lines' family: lines, input boxes and watching lines.
  static constexpr int32_t kFirstTypeCode = 3200;
  static constexpr int32_t kLastTypeCode = 3299;

  GUITextLine();

  // Replaces the text; nothing at all without a font. None is taken as an empty text.
  virtual void SetString(const char* text);
  // Appends; no resize.
  void Append(const char* text);
  // No text at all.
  void Clear();
  int32_t GetLength() const { return length; }
  int32_t GetPreviousLength() const { return previousLength; }
  // The text; none while there is none.
  const std::string* GetText() const { return hasText ? &text : nullptr; }
  ALLEGRO_COLOR GetColour() const { return colour; }
  void SetAutoSize(bool on) { autoSize = on; }
  bool IsAutoSize() const { return autoSize; }

 protected:
  void Draw() override;
  bool DescribeDraw(DrawInputs& inputs) const override;
  void SkipDraw() override;
  // The text-line rules of a new text: lengths, the copy, the dirty flags and the auto-size.
  void StoreText(std::string_view newText);
  // Marks the line and its parent for redrawing.
  void Touch();

  bool autoSize = true;
  std::string text;
  bool hasText = false;
  int32_t length = 0;
  int32_t previousLength = 0;
  ALLEGRO_COLOR colour;
  ALLEGRO_FONT* font = nullptr;
};

// The text widgets' script functions ("GUIITB_", "GUIT_", "GUISTL_"); the Lua manager registers
// them.
extern const ScriptFamily kGUITextLineFamily;
