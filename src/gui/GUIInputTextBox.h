#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gui/GUITextLine.h"

// A box the user types one line into: a press inside gives it the GUI's focus and puts the cursor
// at the end; while focused it takes the keys of the key events the GUI hands it (characters
// through the keyboard manager's character map, backspace and delete, tab to leave, enter to leave
// and submit a non-empty text) and blinks its cursor, 10 ticks on, 11 off.
//
// The text never holds more than MaxChars characters, and the cursor stays within the text: the
// routed "MaxChars", "Length" and "Cursor" may be written by scripts, so the box checks them again
// before every edit, key and draw (a negative MaxChars counts as 0, a lowered one cuts the text,
// the length is always the text's own). The text keeps its place for the box's lifetime, so the
// routed "String" stays valid across edits and submits.
class GUIInputTextBox : public GUITextLine {
 public:
  static constexpr int32_t kTypeCode = 3201;
  // Blink phases: the counter runs 0 to kBlinkLast while focused; the cursor shows up to
  // kBlinkShownLast; an unfocused box holds kBlinkIdle.
  static constexpr int32_t kBlinkLast = 20;
  static constexpr int32_t kBlinkShownLast = 9;
  static constexpr int32_t kBlinkIdle = 11;

  // Holds " " at 10 x 16 (so it is shown) with the cursor at 0, MaxChars 8; auto-size is off from
  // then on.
  GUIInputTextBox();

  // The text cut at MaxChars; the cursor stays where it was, within the new text; no resize once
  // constructed.
  void SetString(const char* text) override;
  // MaxChars (a negative one is 0) and the system flag; the text is emptied, cursor 0.
  void SetSystemData(int32_t maxChars, bool flag);
  // Inserts at the position when the character is not 0, the position is within the text and
  // the text is shorter than MaxChars; answers whether it did.
  bool InsertChar(uint8_t character, int32_t position);
  // Removes the character before the position (0 < position <= length); answers whether it did.
  bool DeleteChar(int32_t position);
  // A copy of a submitted text, and the box emptied; none while nothing was submitted.
  std::optional<std::string> TakeSubmittedString();
  // Whether the key code types a character into the box.
  static bool IsCharacterKey(int32_t keycode);
  // Whether a focused box takes the key: its character keys, Backspace, Delete, Tab and Enter.
  static bool TakesKey(int32_t keycode);

  int32_t GetCursor() const { return cursor; }
  int32_t GetMaxChars() const { return maxChars; }
  int32_t GetBlinkCounter() const { return blink; }
  bool IsFocused() const { return focused; }
  bool IsSubmitted() const { return submitted; }
  bool GetSystemFlag() const { return systemFlag; }
  // After the checks: what the next edit will see.
  void Revalidate();

  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void Draw() override;
  // The cursor blinks: redrawn whenever dirty.
  bool DescribeDraw(DrawInputs&) const override { return false; }

 private:
  void Key(int32_t keycode);
  void Empty();

  int32_t cursor = 0;
  int32_t maxChars = 8;
  int32_t blink = kBlinkIdle;
  bool systemFlag = false;
  bool focused = false;
  bool submitted = false;
};
