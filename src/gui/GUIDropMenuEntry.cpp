#include "gui/GUIDropMenuEntry.h"

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/script/LuaManager.h"
#include "resources/DataLibrary.h"

GUIDropMenuEntry::GUIDropMenuEntry() : colour(al_map_rgba(0, 0, 0, 255)) {
  if (gDataLibrary != nullptr) {
    font = gDataLibrary->GetEntry<ALLEGRO_FONT>("Fonts", "General", "System", "SystemFont");
  }
}

void GUIDropMenuEntry::SetText(const char* newText) { text = OptionalText(newText); }

void GUIDropMenuEntry::SetScript(const char* name, int32_t code) {
  script = OptionalText(name);
  scriptCode = code;
}

void GUIDropMenuEntry::Link(const int32_t* value) {
  linked = true;
  linkedValue = value;
}

void GUIDropMenuEntry::Run() const {
  if (gLuaManager == nullptr || !script) return;
  gLuaManager->ExecuteScript(script->c_str(), scriptCode);
}

void GUIDropMenuEntry::Draw(int32_t x, int32_t y) const {
  if (!text || font == nullptr) return;
  if (linked && linkedValue != nullptr) {
    for (int64_t i = 0; i < *linkedValue; ++i) {
      al_draw_text(font, colour, static_cast<float>(x + 8 * i), static_cast<float>(y), 0, "-");
    }
    return;
  }
  al_draw_text(font, colour, static_cast<float>(x), static_cast<float>(y), 0, text->c_str());
}
