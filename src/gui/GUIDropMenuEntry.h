#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <cstdint>
#include <optional>
#include <string>

// One entry of a drop menu's field: a text, a script with its script code, and optionally a link
// to a counter that it shows as a row of dashes in place of its text.
class GUIDropMenuEntry {
 public:
  GUIDropMenuEntry();

  // None leaves the entry without a text (it draws nothing).
  void SetText(const char* newText);
  void SetScript(const char* name, int32_t code);
  void Link(const int32_t* value);
  // Runs the script with its code, when there is a script.
  void Run() const;
  // At (x, y) of the drawing target.
  void Draw(int32_t x, int32_t y) const;

  const std::optional<std::string>& GetText() const { return text; }
  const std::optional<std::string>& GetScript() const { return script; }
  int32_t GetScriptCode() const { return scriptCode; }
  bool IsLinked() const { return linked; }

 private:
  std::optional<std::string> text;
  std::optional<std::string> script;
  int32_t scriptCode = -1;
  ALLEGRO_FONT* font = nullptr;
  ALLEGRO_COLOR colour;
  const int32_t* linkedValue = nullptr;
  bool linked = false;
};
