#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <cstdint>
#include <map>

#include "core/script/PropertyRef.h"
#include "core/script/ScriptFamily.h"
#include "gui/GUIBaseObject.h"

class GUIScrollBar;

// A column of routed texts, ten rows at a time beside a vertical scroll bar (its first child,
// "ListBar"), of which the user selects one row; the list keeps the routed value that belongs to
// the selected entry. It never consumes an event, so what lies behind it hears every click too.
class GUIList : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3700;
  static constexpr int32_t kRowHeight = 16;
  static constexpr int32_t kVisibleRows = 10;

  GUIList();

  // Forgets every entry and makes room for count (a negative count is 0), then sizes the list
  // to the rows shown and lays its bar along the right edge, one step per hidden row.
  void SetListSize(int32_t count);
  // Entry index shows the routed text and carries the routed value. An index outside the list
  // does nothing; a name that is not a text or a value that is not there logs and stores nothing.
  void SetListEntry(int32_t index, const char* nameOwner, const char* nameObject,
                    const char* nameProperty, const char* valueOwner, const char* valueObject,
                    const char* valueProperty);
  // The selected value := that of the entry, or none for an index outside the list.
  void SelectIndex(int32_t index);

  int32_t GetEntryCount() const { return entryCount; }
  int32_t GetFirstVisibleRow() const { return firstVisibleRow; }
  int32_t GetSelection() const { return selection; }
  const PropertyRef& GetSelectedValue() const { return selectedValue; }
  int32_t GetSelectedType() const { return selectedType; }
  GUIScrollBar& GetBar() const { return *bar; }
  // The entry's text as it reads now; none for an entry without one or whose owner is gone.
  const std::string* GetEntryText(int32_t index) const;

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void Draw() override;
  void EndPress() override { pressed = false; }

 private:
  struct Entry {
    PropertyRef name;
    PropertyRef value;
    int32_t type = 0;
  };
  // The entry's row under the mouse; the caller has checked the point is inside.
  int32_t SelectionAt(int32_t y) const;
  const Entry* EntryAt(int32_t index) const;

  int32_t firstVisibleRow = 0;
  // Only the entries that were set: a list may be sized far beyond what it ever shows.
  std::map<int32_t, Entry> entries;
  int32_t entryCount = 0;
  ALLEGRO_COLOR colour;
  ALLEGRO_FONT* font = nullptr;
  bool pressed = false;
  int32_t selection = -1;
  int32_t previousSelection = -1;
  PropertyRef selectedValue;
  int32_t selectedType = 0;
  // Owned by the children list.
  GUIScrollBar* bar = nullptr;
};

// The lists' script functions ("GUIL_"); the Lua manager registers them.
extern const ScriptFamily kGUIListFamily;
