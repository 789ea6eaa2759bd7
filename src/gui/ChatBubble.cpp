#include "gui/ChatBubble.h"

#include <cstring>

#include "core/Globals.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"

namespace {

constexpr int64_t kNoBubble = 0;

// Looked up on every draw: a missing image logs the data library's warning the first time, and
// again only after it has been found in between. Without one the text is drawn plain.
const ImageObject* ResponseBubbleImage(RepeatedFailure& failures) {
  if (gDataLibrary == nullptr) return nullptr;
  static constexpr const char* kPath[] = {"Images", "GUI", "Bubbles", "ResponseBubble"};
  if (const ImageObject* image =
          gDataLibrary->FindEntry<ImageObject>(kPath[0], kPath[1], kPath[2], kPath[3])) {
    failures.Succeeded();
    return image;
  }
  if (failures.Fails(kNoBubble)) {
    gDataLibrary->GetEntry<ImageObject>(kPath[0], kPath[1], kPath[2], kPath[3]);
  }
  return nullptr;
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
    if (const ImageObject* bubble = ResponseBubbleImage(failures)) bubble->DrawAt(x, y, 0);
    x += responseShift;
  }
  if (font != nullptr) al_draw_textf(font, colour, x, y, flags, "%s", text.c_str());
}
