#include "gui/GUIInputTextBox.h"

#include <allegro5/allegro_primitives.h>

#include <algorithm>
#include <cstring>

#include "core/Globals.h"
#include "core/KeyboardManager.h"
#include "core/Log.h"
#include "gui/GUIManager.h"

namespace {

constexpr int32_t kBackspace = 63;
constexpr int32_t kTab = 64;
constexpr int32_t kEnter = 67;
constexpr int32_t kDelete = 77;

}  // namespace

GUIInputTextBox::GUIInputTextBox() {
  typeCode = kTypeCode;
  colour = al_map_rgb(201, 171, 207);
  SetSystemData(8, false);
  SetString(" ");
  autoSize = false;
}

bool GUIInputTextBox::IsCharacterKey(int32_t keycode) {
  // Letters and digits, then minus, equals, the braces, semicolon, quote, both backslashes,
  // comma, slash and space; the full stop is not among them.
  if (keycode >= 1 && keycode <= 36) return true;
  switch (keycode) {
    case 61:
    case 62:
    case 65:
    case 66:
    case 68:
    case 69:
    case 70:
    case 71:
    case 72:
    case 74:
    case 75:
      return true;
    default:
      return false;
  }
}

bool GUIInputTextBox::TakesKey(int32_t keycode) {
  return IsCharacterKey(keycode) || keycode == kBackspace || keycode == kDelete ||
         keycode == kTab || keycode == kEnter;
}

void GUIInputTextBox::Revalidate() {
  if (maxChars < 0) maxChars = 0;
  text.resize(std::min({std::strlen(text.c_str()), text.size(), static_cast<size_t>(maxChars)}));
  length = static_cast<int32_t>(text.size());
  cursor = std::clamp(cursor, 0, length);
}

void GUIInputTextBox::SetString(const char* newText) {
  if (font == nullptr) return;
  Revalidate();
  const char* from = newText != nullptr ? newText : "";
  StoreText(std::string_view(from, strnlen(from, static_cast<size_t>(maxChars))));
  cursor = std::clamp(cursor, 0, length);
}

void GUIInputTextBox::SetSystemData(int32_t chars, bool flag) {
  maxChars = std::max(chars, 0);
  systemFlag = flag;
  Empty();
  Revalidate();
}

void GUIInputTextBox::Empty() {
  text.clear();
  hasText = true;
  cursor = 0;
  length = 0;
  Touch();
}

bool GUIInputTextBox::InsertChar(uint8_t character, int32_t position) {
  Revalidate();
  if (character == 0 || position < 0 || position > length || length >= maxChars) return false;
  text.insert(static_cast<size_t>(position), 1, static_cast<char>(character));
  ++length;
  Touch();
  return true;
}

bool GUIInputTextBox::DeleteChar(int32_t position) {
  Revalidate();
  // Within the text, not within MaxChars: a cursor past the end must not reach the terminator.
  if (length <= 0 || position <= 0 || position > length) return false;
  text.erase(static_cast<size_t>(position) - 1, 1);
  --length;
  Touch();
  return true;
}

std::optional<std::string> GUIInputTextBox::TakeSubmittedString() {
  if (!submitted) return std::nullopt;
  submitted = false;
  Revalidate();
  std::string taken = text;
  Empty();
  return taken;
}

PropertyRef GUIInputTextBox::GetPropertyAddress(const char*, const char* property) {
  if (property == nullptr) return PropertyRef();
  const LifetimeToken token = GetLifetimeToken();
  if (std::strcmp(property, "String") == 0) return PropertyRef::Text(text, token);
  if (std::strcmp(property, "Length") == 0) return PropertyRef::Integer(length, token);
  if (std::strcmp(property, "Cursor") == 0) return PropertyRef::Integer(cursor, token);
  if (std::strcmp(property, "MaxChars") == 0) return PropertyRef::Integer(maxChars, token);
  return PropertyRef();
}

bool GUIInputTextBox::OnInput(int32_t event, int32_t x, int32_t y) {
  switch (event) {
    case kTick:
      SetDirty();
      if (focused) {
        if (++blink > kBlinkLast) blink = 0;
      } else {
        blink = kBlinkIdle;
      }
      return false;
    case kPress:
      if (!IsInside(x, y)) return false;
      SetDirty();
      if (gGUIManager != nullptr) gGUIManager->SetFocusedInputBox(this);
      focused = true;
      Revalidate();
      cursor = length;
      return true;
    case kKeyDown: {
      if (gGUIManager == nullptr || gGUIManager->GetFocusedInputBox() != this) return false;
      SetDirty();
      const int32_t keycode = gGUIManager->GetLastKey();
      Key(keycode);
      return keycode == kEnter;
    }
    default:
      return false;
  }
}

void GUIInputTextBox::Key(int32_t keycode) {
  Revalidate();
  if (IsCharacterKey(keycode)) {
    const uint8_t character =
        gKeyboardManager != nullptr ? gKeyboardManager->CharacterOf(keycode) : 0;
    if (InsertChar(character, cursor)) {
      ++cursor;
      Log("Print %c - \n", character);
    }
    return;
  }
  switch (keycode) {
    case kBackspace:
    case kDelete:
      if (DeleteChar(cursor)) --cursor;
      return;
    case kTab:
      gGUIManager->SetFocusedInputBox(nullptr);
      focused = false;
      return;
    case kEnter:
      gGUIManager->SetFocusedInputBox(nullptr);
      focused = false;
      if (length > 0) submitted = true;
      return;
    default:
      return;
  }
}

void GUIInputTextBox::Draw() {
  Revalidate();
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  al_clear_to_color(al_map_rgba(255, 255, 255, 255));
  al_draw_rounded_rectangle(1.0f, 1.0f, w - 1.0f, h - 1.0f, 2.0f, 2.0f, al_map_rgb(255, 0, 0),
                            3.0f);
  if (font != nullptr) al_draw_text(font, colour, 3.0f, 0.0f, 0, text.c_str());
  if (blink <= kBlinkShownLast) {
    const float x = 10.0f * static_cast<float>(cursor);
    al_draw_filled_rectangle(x + 3.0f, h - 5.0f, x + 8.0f, h - 1.0f, colour);
  }
  dirty = false;
  RenderChildren(Buffer());
}
