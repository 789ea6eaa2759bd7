#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <cstdint>
#include <string>

#include "core/RepeatedFailure.h"

// One line of the dialogue window: a text of at most 79 characters, shown or not, and, when it is
// a response, the code a click on it hands on.
class ChatBubble {
 public:
  static constexpr size_t kMaxLength = 79;

  // A shown plain line of the text.
  explicit ChatBubble(const char* text);

  // A shown plain line. "~BLANK" gives one blank; a longer text is cut at 79 characters; none
  // reads as empty.
  void SetText(const char* text);
  // A shown response of the text (as SetText) and the code.
  void SetResponse(const char* text, int32_t code);
  // Hidden and plain, with no text.
  void Clear();

  const char* GetText() const { return text.c_str(); }
  bool IsVisible() const { return visible; }
  bool IsResponse() const { return response; }
  // The code of a response; -1 for a plain line.
  int32_t GetResponseValue() const { return response ? value : -1; }

  // Draws onto the current target with its top-left at (x, y): nothing when hidden. A response
  // first draws the data library's Images/GUI/Bubbles/ResponseBubble (when there is one; a missing
  // one logs the library's warning once until it is found again) and moves its text right by the
  // shift. Without a font no text is drawn.
  void Draw(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, int32_t x, int32_t y, int32_t flags,
            int32_t responseShift) const;

 private:
  bool visible = false;
  bool response = false;
  int32_t value = 0;
  std::string text;
  mutable RepeatedFailure failures;
};
