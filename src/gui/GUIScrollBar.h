#pragma once

#include <cstdint>

#include "core/script/ScriptFamily.h"
#include "gui/GUIBaseObject.h"

class GUIButton;

// An 8-pixel-thick track with a box the user drags and an arrow button at each end that moves
// the box by one step. Its value is the box's offset in pixels from the end of the first arrow,
// held within [lowest, highest].
class GUIScrollBar : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3400;

  // The track and box pictures from Images/GUI/Misc, "ScrollBarBlank" and "ScrollBarBox".
  GUIScrollBar();

  // Places and sizes the bar (8 wide and h high when vertical, else w wide and 8 high), sets the
  // range to 0 .. length - 24 and lays out its two arrow buttons, "SubClickButton" at the start
  // and "AddClickButton" at the end. A second set-up moves the same two arrows. The value stays.
  void SetScrollData(int32_t x, int32_t y, int32_t w, int32_t h, bool isVertical);
  // Not re-clamped.
  void SetRange(int32_t lowest, int32_t highest);
  // Only a step above 0 is taken.
  void SetStep(int32_t newStep);
  void SetValue(int32_t newValue);
  // The value in steps.
  int32_t GetPosition() const { return value / step; }
  void Increment();
  void Decrement();
  // The scroll buttons' step, +1 or -1: an arrow moves the bar it belongs to; the last touched
  // bar is only the fallback for a scroll button that is not an arrow of any bar. Answers whether
  // it found a bar to move.
  static bool StepForButton(int32_t direction);

  bool IsVertical() const { return vertical != 0; }
  bool IsPressed() const { return pressed; }
  int32_t GetLowest() const { return lowest; }
  int32_t GetHighest() const { return highest; }
  int32_t GetStep() const { return step; }
  int32_t GetValue() const { return value; }

  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void Draw() override;
  bool DescribeDraw(DrawInputs& inputs) const override;
  void SkipDraw() override;
  void EndPress() override { pressed = false; }

 private:
  // Lowest first, highest last: a range whose highest lies below its lowest gives the highest.
  int32_t Clamped(int32_t candidate) const;
  void MoveTo(int32_t candidate);
  GUIButton* Arrow(GUIButton*& slot, const char* name);

  uint8_t vertical = 0;
  bool pressed = false;
  ImageObject* trackImage = nullptr;
  ImageObject* boxImage = nullptr;
  int32_t lowest = 0;
  int32_t highest = 0;
  int32_t step = 1;
  int32_t value = 0;
  // The mouse and the value at the press that began the drag.
  int32_t pressX = 0, pressY = 0;
  int32_t valueAtPress = 0;
  // Owned by the children list.
  GUIButton* subButton = nullptr;
  GUIButton* addButton = nullptr;
};

// The scroll bars' script function ("GUISB_"); the Lua manager registers it.
extern const ScriptFamily kGUIScrollBarFamily;
