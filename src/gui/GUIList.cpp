#include "gui/GUIList.h"

#include <allegro5/allegro_primitives.h>

#include <algorithm>

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/PropertyManager.h"
#include "gui/GUIScrollBar.h"
#include "resources/DataLibrary.h"

namespace {

// Where a routed value lies, for the log line.
const void* AddressOf(const PropertyRef& value) {
  switch (value.GetType()) {
    case PropertyRef::kNone:
      return nullptr;
    case PropertyRef::kByte:
      return value.AsByte();
    case PropertyRef::kInteger:
    case PropertyRef::kIdentifier:
      return value.AsInteger();
    case PropertyRef::kText:
      return value.ReadText();
    case PropertyRef::kFloat:
      return value.AsFloat();
    case PropertyRef::kDouble:
      return value.AsDouble();
    default:
      return value.ObjectAs<void>(value.GetType());
  }
}

}  // namespace

GUIList::GUIList() : colour(al_map_rgba(255, 255, 255, 255)) {
  typeCode = kTypeCode;
  bar = new GUIScrollBar();
  bar->SetName("ListBar");
  bar->SetParent(this);
  children.AddTail("ListBar", bar);
  bar->SetRange(0, 1);
  bar->SetStep(1);
  bar->SetValue(0);
  bar->SetScrollData(0, 0, 1, 1, true);
  if (gDataLibrary != nullptr) {
    font = gDataLibrary->GetEntry<ALLEGRO_FONT>("Fonts", "General", "System", "SystemFont");
  }
}

void GUIList::SetListSize(int32_t count) {
  entries.clear();
  entryCount = std::max(count, 0);
  const int32_t shown = std::min(entryCount, kVisibleRows);
  SetDimensions(left, top, width, shown * kRowHeight + 4);
  bar->SetRange(0, shown);
  bar->SetValue(0);
  bar->SetScrollData(SaturatingSubtract(width, 10), 2, SaturatingSubtract(width, 2), height - 2,
                     true);
  if (entryCount < kVisibleRows) {
    bar->SetStep(1);
  } else {
    bar->SetStep((height - 20) / (entryCount - kVisibleRows + 1));
  }
}

void GUIList::SetListEntry(int32_t index, const char* nameOwner, const char* nameObject,
                           const char* nameProperty, const char* valueOwner,
                           const char* valueObject, const char* valueProperty) {
  if (index < 0 || index >= entryCount || gPropertyManager == nullptr) return;
  const PropertyRef name = gPropertyManager->Route(nameOwner, nameObject, nameProperty);
  if (gPropertyManager->GetType() != PropertyRef::kText) {
    Log("GUIList SetListEntry:  Failed, did not find name in %s %s %s\n", nameOwner, nameObject,
        nameProperty);
    return;
  }
  const PropertyRef value = gPropertyManager->Route(valueOwner, valueObject, valueProperty);
  if (!value.IsAlive()) {
    Log("GUIList SetListEntry:  Failed, did not find object in %s %s %s\n", valueOwner, valueObject,
        valueProperty);
    return;
  }
  const std::string* text = name.ReadText();
  Log("Name is %s, points to %p\n", text != nullptr ? text->c_str() : "(null)", AddressOf(value));
  entries[index] = Entry{name, value, value.GetType()};
}

const GUIList::Entry* GUIList::EntryAt(int32_t index) const {
  const auto found = entries.find(index);
  return found != entries.end() ? &found->second : nullptr;
}

const std::string* GUIList::GetEntryText(int32_t index) const {
  const Entry* entry = EntryAt(index);
  return entry != nullptr ? entry->name.ReadText() : nullptr;
}

void GUIList::SelectIndex(int32_t index) {
  const Entry* entry = index >= 0 && index < entryCount ? EntryAt(index) : nullptr;
  selectedValue = entry != nullptr ? entry->value : PropertyRef();
  selectedType = entry != nullptr ? entry->type : 0;
}

int32_t GUIList::SelectionAt(int32_t y) const {
  return SaturatingAdd(firstVisibleRow, SaturatingSubtract(y, top) / kRowHeight);
}

bool GUIList::OnInput(int32_t event, int32_t x, int32_t y) {
  const bool inside = IsInside(x, y);
  if (event == kPress) {
    pressed = false;
    selection = -1;
    if (inside) {
      selection = SelectionAt(y);
      pressed = true;
    }
  } else if (event == kRelease) {
    if (inside) selection = SelectionAt(y);
    pressed = false;
  } else if (event == kTick && inside && pressed) {
    selection = SelectionAt(y);
  }
  if (selection != previousSelection && selection < SaturatingAdd(firstVisibleRow, kVisibleRows)) {
    SelectIndex(selection);
    SetDirty();
  }
  previousSelection = selection;
  firstVisibleRow = std::max(std::min(bar->GetPosition(), entryCount - kVisibleRows), 0);
  return false;
}

void GUIList::Draw() {
  // Rows past the buffer's bottom would draw nothing: a list may be far longer than it shows.
  for (int32_t a = firstVisibleRow; a < entryCount; ++a) {
    const int64_t y = int64_t{a - firstVisibleRow} * kRowHeight + 2;
    if (y >= height) break;
    const auto rowTop = static_cast<float>(y);
    if (a == selection) {
      al_draw_filled_rectangle(2.0f, rowTop, static_cast<float>(width - 2), rowTop + kRowHeight,
                               al_map_rgba(128, 0, 0, 255));
    }
    const std::string* text = GetEntryText(a);
    if (text != nullptr && font != nullptr)
      al_draw_text(font, colour, 2.0f, rowTop, 0, text->c_str());
  }
  dirty = false;
  RenderChildren(Buffer());
}
