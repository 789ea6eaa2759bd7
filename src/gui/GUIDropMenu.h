#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/script/ScriptFamily.h"
#include "gui/GUIBaseObject.h"
#include "gui/GUIDropMenuEntry.h"

// A header bar of named fields with every field's entries listed below its name, always shown
// open. A click only marks it for redrawing and passes on to what lies behind it.
class GUIDropMenu : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3600;

  GUIDropMenu();

  // Appends an empty field of that name (a name may repeat: look-ups reach the first).
  void AddField(const char* name);
  // A new entry at the end of the field; a linked one shows the menu's counter. A field longer
  // than any before makes the menu taller. A missing field logs its line.
  void AddEntry(const char* field, const char* entryName, const char* text, const char* script,
                int32_t code, bool link);
  // The named entry's text, script and code are replaced; a set link flag links it (a clear one
  // keeps a link it has). A missing field or entry logs its line.
  void ModifyEntry(const char* field, const char* entryName, const char* text, const char* script,
                   int32_t code, bool link);

  int32_t GetRows() const { return rows; }
  // None when absent.
  const GUIDropMenuEntry* FindEntry(const char* field, const char* entryName) const;
  // How wide a field's column is drawn.
  static int32_t ColumnWidth(const std::string& fieldName);

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void Draw() override;

 private:
  struct NamedEntry {
    std::string name;
    std::unique_ptr<GUIDropMenuEntry> entry;
  };
  struct Field {
    std::string name;
    std::vector<NamedEntry> entries;
  };
  Field* FindField(const char* name);
  static GUIDropMenuEntry* FindIn(Field& field, const char* entryName);

  std::vector<Field> fields;
  // What linked entries show; nothing changes it.
  int32_t counter = 0;
  int32_t drawnField = -1;
  int32_t rows = 0;
  ALLEGRO_FONT* font = nullptr;
  ALLEGRO_COLOR colour;
};

// The drop menus' script functions ("GUIDM_"); the Lua manager registers them.
extern const ScriptFamily kGUIDropMenuFamily;
