#include "gui/ChatBubble.h"

#include <cstring>

#include "core/Globals.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"

namespace {

// Looked up on every draw, so without a log line: a game with no bubble image draws plain text.
const ImageObject* ResponseBubbleImage() {
  return gDataLibrary != nullptr
             ? gDataLibrary->FindEntry<ImageObject>("Images", "GUI", "Bubbles", "ResponseBubble")
             : nullptr;
}

}  // namespace

ChatBubble::ChatBubble(const char* text) { SetText(text); }

void ChatBubble::SetText(const char* newText) {
  if (newText != nullptr && std::strcmp(newText, "~BLANK") == 0) {
    text = " ";
  } else if (newText != nullptr) {
    text.assign(newText, strnlen(newText, kMaxLength));
  } else {
    text.clear();
  }
  response = false;
  visible = true;
}

void ChatBubble::SetResponse(const char* newText, int32_t code) {
  SetText(newText);
  response = true;
  value = code;
}

void ChatBubble::Clear() {
  text.clear();
  visible = false;
  response = false;
}

void ChatBubble::Draw(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, int32_t x, int32_t y,
                      int32_t flags, int32_t responseShift) const {
  if (!visible) return;
  if (response) {
    if (const ImageObject* bubble = ResponseBubbleImage()) bubble->DrawAt(x, y, 0);
    x += responseShift;
  }
  if (font != nullptr) al_draw_textf(font, colour, x, y, flags, "%s", text.c_str());
}
