#include "gui/GUIScrollBar.h"

#include <algorithm>
#include <cstring>

#include "core/Convert.h"
#include "core/Globals.h"
#include "gui/GUIButton.h"
#include "gui/GUIManager.h"

namespace {

GUIScrollBar* AsBar(GUIBaseObject* object) {
  return object != nullptr && object->GetType() == GUIScrollBar::kTypeCode
             ? static_cast<GUIScrollBar*>(object)
             : nullptr;
}

}  // namespace

bool GUIScrollBar::StepForButton(int32_t direction) {
  if (gGUIManager == nullptr) return false;
  GUIBaseObject* button = gGUIManager->GetLastFiredButton();
  GUIScrollBar* bar = AsBar(button != nullptr ? button->GetParent() : nullptr);
  if (bar == nullptr) bar = AsBar(gGUIManager->GetLastTouchedScrollBar());
  if (bar == nullptr) return false;
  if (direction > 0) {
    bar->Increment();
  } else {
    bar->Decrement();
  }
  return true;
}

GUIScrollBar::GUIScrollBar()
    : trackImage(GUIImageEntry("Misc", "ScrollBarBlank")),
      boxImage(GUIImageEntry("Misc", "ScrollBarBox")) {
  typeCode = kTypeCode;
}

GUIButton* GUIScrollBar::Arrow(GUIButton*& slot, const char* name) {
  if (slot == nullptr) {
    slot = new GUIButton();
    slot->SetName(name);
    slot->SetParent(this);
    children.AddTail(name, slot);
  }
  return slot;
}

void GUIScrollBar::SetScrollData(int32_t x, int32_t y, int32_t w, int32_t h, bool isVertical) {
  vertical = isVertical ? 1 : 0;
  const int32_t length = isVertical ? h : w;
  SetDimensions(x, y, isVertical ? 8 : w, isVertical ? h : 8);
  lowest = 0;
  highest = SaturatingSubtract(length, 24);
  const int32_t end = SaturatingSubtract(length, 8);
  GUIButton* sub = Arrow(subButton, "SubClickButton");
  GUIButton* add = Arrow(addButton, "AddClickButton");
  sub->SetDimensions(0, 0, 8, 8);
  if (isVertical) {
    add->SetDimensions(0, end, 8, 8);
    sub->SetDisplayData(0, 0);
    add->SetDisplayData(0, 1);
  } else {
    add->SetDimensions(end, 0, 8, 8);
    sub->SetDisplayData(0, 1);
    add->SetDisplayData(0, 0);
  }
  for (GUIButton* arrow : {sub, add}) {
    if (isVertical) {
      arrow->SetImages("ButtonArroSB0", "ButtonArroSB1", "ButtonArroSB2");
    } else {
      arrow->SetImages("ButtonArroSBF0", "ButtonArroSBF1", "ButtonArroSBF2");
    }
  }
  sub->SetFunction("Button_Scrollbar_Decrement");
  add->SetFunction("Button_Scrollbar_Increment");
}

void GUIScrollBar::SetRange(int32_t low, int32_t high) {
  lowest = low;
  highest = high;
}

void GUIScrollBar::SetStep(int32_t newStep) {
  if (newStep > 0) step = newStep;
}

int32_t GUIScrollBar::Clamped(int32_t candidate) const {
  return std::min(std::max(candidate, lowest), highest);
}

void GUIScrollBar::SetValue(int32_t newValue) { value = Clamped(newValue); }

void GUIScrollBar::MoveTo(int32_t candidate) {
  value = Clamped(candidate);
  SetDirty();
  SetParentDirty();
}

void GUIScrollBar::Increment() { MoveTo(SaturatingAdd(value, step)); }
void GUIScrollBar::Decrement() { MoveTo(SaturatingSubtract(value, step)); }

PropertyRef GUIScrollBar::GetPropertyAddress(const char*, const char* property) {
  static constexpr PropertyField<GUIScrollBar> kFields[] = {
      FieldOf<&GUIScrollBar::vertical, PropertyRef::Byte>("isVertical"),
      FieldOf<&GUIScrollBar::lowest, PropertyRef::Integer>("mLowestValue"),
      FieldOf<&GUIScrollBar::highest, PropertyRef::Integer>("mHighestValue"),
      FieldOf<&GUIScrollBar::value, PropertyRef::Integer>("mBoxCurrentValue"),
  };
  return AnswerFromFields(kFields, *this, property, GetLifetimeToken());
}

bool GUIScrollBar::OnInput(int32_t event, int32_t x, int32_t y) {
  // Ticks reach every shown widget, so the box follows the mouse even outside the bar; only while
  // the button is held, so a drag can never outlive its release.
  if (event == kTick && pressed && gGUIManager != nullptr &&
      gGUIManager->GetDraggedObject() == this && gGUIManager->IsMouseButtonHeld()) {
    const int32_t moved = vertical ? SaturatingSubtract(y, pressY) : SaturatingSubtract(x, pressX);
    MoveTo(SaturatingAdd(valueAtPress, moved));
  }
  if (!IsInside(x, y)) {
    if (event == kRelease) pressed = false;
    return false;
  }
  SetDirty();
  if (event == kPress) {
    pressed = true;
    pressX = x;
    pressY = y;
    valueAtPress = value;
    if (gGUIManager != nullptr) {
      gGUIManager->SetDraggedObject(this);
      gGUIManager->SetLastTouchedScrollBar(this);
    }
    return true;
  }
  if (event == kRelease && pressed) {
    pressed = false;
    if (gGUIManager != nullptr) {
      gGUIManager->SetDraggedObject(nullptr);
      gGUIManager->SetLastTouchedScrollBar(nullptr);
    }
    return true;
  }
  return false;
}

bool GUIScrollBar::DescribeDraw(DrawInputs& inputs) const {
  inputs.Add(uint64_t{vertical});
  inputs.Add(trackImage);
  inputs.Add(boxImage);
  inputs.Add(static_cast<uint64_t>(static_cast<uint32_t>(value)));
  return DescribeChildren(inputs);
}

void GUIScrollBar::SkipDraw() { SkipChildren(); }

void GUIScrollBar::Draw() {
  const int64_t end = int64_t{vertical ? height : width} - 8;
  if (trackImage != nullptr) {
    for (int32_t p = 8; p < end; p += 8) {
      if (vertical) {
        trackImage->DrawAt(0, p, 0);
      } else {
        trackImage->DrawAt(p, 0, 0);
      }
    }
  }
  if (boxImage != nullptr) {
    const int32_t at = SaturatingAdd(value, 8);
    if (vertical) {
      boxImage->DrawAt(0, at, 0);
    } else {
      boxImage->DrawAt(at, 0, 0);
    }
  }
  RenderChildren(Buffer());
}
