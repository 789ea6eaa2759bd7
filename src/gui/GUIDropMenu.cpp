#include "gui/GUIDropMenu.h"

#include <allegro5/allegro_primitives.h>

#include <algorithm>
#include <limits>

#include "core/Globals.h"
#include "core/Log.h"
#include "resources/DataLibrary.h"

namespace {

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

}  // namespace

GUIDropMenu::GUIDropMenu() : colour(al_map_rgba(0, 0, 0, 255)) {
  typeCode = kTypeCode;
  if (gDataLibrary != nullptr) {
    font = gDataLibrary->GetEntry<ALLEGRO_FONT>("Fonts", "General", "System", "SystemFont");
  }
}

int32_t GUIDropMenu::ColumnWidth(const std::string& fieldName) {
  return Clamp32(int64_t{8} * static_cast<int64_t>(fieldName.size()) + 4);
}

void GUIDropMenu::AddField(const char* name) {
  fields.push_back(Field{name != nullptr ? name : "", {}});
}

GUIDropMenu::Field* GUIDropMenu::FindField(const char* name) {
  if (name == nullptr) return nullptr;
  for (Field& field : fields) {
    if (field.name == name) return &field;
  }
  return nullptr;
}

GUIDropMenuEntry* GUIDropMenu::FindIn(Field& field, const char* entryName) {
  if (entryName == nullptr) return nullptr;
  for (NamedEntry& named : field.entries) {
    if (named.name == entryName) return named.entry.get();
  }
  return nullptr;
}

const GUIDropMenuEntry* GUIDropMenu::FindEntry(const char* field, const char* entryName) const {
  Field* found = const_cast<GUIDropMenu*>(this)->FindField(field);
  return found != nullptr ? FindIn(*found, entryName) : nullptr;
}

void GUIDropMenu::AddEntry(const char* field, const char* entryName, const char* text,
                           const char* script, int32_t code, bool link) {
  Field* found = FindField(field);
  if (found == nullptr) {
    Log("GUIDropMenu AddEntry:  Failed, did not find field %s\n", field != nullptr ? field : "");
    return;
  }
  auto entry = std::make_unique<GUIDropMenuEntry>();
  entry->SetText(text);
  entry->SetScript(script, code);
  if (link) entry->Link(&counter);
  found->entries.push_back(NamedEntry{entryName != nullptr ? entryName : "", std::move(entry)});
  const auto count = static_cast<int64_t>(found->entries.size());
  if (count > rows) {
    rows = static_cast<int32_t>(count);
    SetDimensions(left, top, width, Clamp32(int64_t{16} * rows + 20));
  }
}

void GUIDropMenu::ModifyEntry(const char* field, const char* entryName, const char* text,
                              const char* script, int32_t code, bool link) {
  Field* found = FindField(field);
  if (found == nullptr) {
    Log("GUIDropMenu ModifyEntry:  Failed, did not find field %s\n", field != nullptr ? field : "");
    return;
  }
  GUIDropMenuEntry* entry = FindIn(*found, entryName);
  if (entry == nullptr) {
    Log("GUIDropMenu ModifyEntry:  Failed, did not find entry %s\n",
        entryName != nullptr ? entryName : "");
    return;
  }
  entry->SetText(text);
  entry->SetScript(script, code);
  if (link) entry->Link(&counter);
}

bool GUIDropMenu::OnInput(int32_t, int32_t, int32_t) {
  SetDirty();
  return false;
}

void GUIDropMenu::Draw() {
  al_draw_filled_rectangle(0.0f, 0.0f, static_cast<float>(width), 20.0f,
                           al_map_rgba(214, 221, 239, 255));
  int64_t x = 0;
  int32_t index = 0;
  for (const Field& field : fields) {
    // Columns past the buffer's right edge would draw nothing.
    if (x >= width) break;
    const int32_t column = ColumnWidth(field.name);
    const auto columnLeft = static_cast<float>(x);
    if (font != nullptr) al_draw_text(font, colour, columnLeft + 2.0f, 2.0f, 0, field.name.c_str());
    int64_t y = 20;
    for (const NamedEntry& named : field.entries) {
      if (y >= height) break;
      al_draw_filled_rectangle(columnLeft, static_cast<float>(y),
                               columnLeft + static_cast<float>(column), static_cast<float>(y + 20),
                               al_map_rgba(196, 196, 196, 255));
      named.entry->Draw(static_cast<int32_t>(x), static_cast<int32_t>(y));
      y += 16;
    }
    drawnField = index++;
    x += column;
  }
}
