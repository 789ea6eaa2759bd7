#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdlib>
#include <string>

#include "gui/GUIInputTextBox.h"
#include "gui/GUISmartTextLine.h"
#include "gui/GUITextLine.h"
#include "gui/GUIWindow.h"
#include "support/KeyState.h"
#include "support/WidgetFixture.h"

namespace {

class GUITextTest : public WidgetFixture {
 protected:
  // A focused box at (0, 0) of 100 x 16 holding at most maxChars.
  GUIInputTextBox* FocusedBox(int32_t maxChars = 8, GUIBaseObject* owner = nullptr) {
    auto* box = Add<GUIInputTextBox>("Box", owner);
    box->SetDimensions(0, 0, 100, 16);
    box->SetSystemData(maxChars, false);
    EXPECT_TRUE(Mouse(GUIBaseObject::kPress, 5, 5));
    Mouse(GUIBaseObject::kRelease, 5, 5);
    return box;
  }
  void Type(int32_t keycode) {
    gui->DispatchKey(GUIBaseObject::kKeyDown, keycode);
    gui->DispatchKey(GUIBaseObject::kKeyUp, keycode);
  }
  static std::string TextOf(const GUITextLine& line) {
    return line.GetText() != nullptr ? *line.GetText() : "<none>";
  }
};

TEST_F(GUITextTest, GUITextLine_AutoSizeAndTheSystemFont) {
  auto* line = Add<GUITextLine>("Line");
  line->SetString("hello");
  EXPECT_EQ(TextOf(*line), "hello");
  EXPECT_EQ(line->GetWidth(), 50);
  EXPECT_EQ(line->GetHeight(), 16);
  EXPECT_TRUE(line->IsVisible());

  // A hidden line is shown again by a text of a new length, not by one of the same length.
  line->Hide();
  line->SetString("world");
  EXPECT_FALSE(line->IsVisible());
  line->SetString("hi");
  EXPECT_TRUE(line->IsVisible());
  EXPECT_EQ(line->GetWidth(), 20);
  EXPECT_EQ(line->GetPreviousLength(), 5);

  // 10 pixels per character up to the largest bitmap side: one more character leaves no picture.
  line->SetString(std::string(1638, 'x').c_str());
  EXPECT_NE(line->GetBuffer()->GetBitmap(), nullptr);
  line->SetString(std::string(1639, 'x').c_str());
  EXPECT_EQ(line->GetWidth(), 16390);
  EXPECT_EQ(line->GetBuffer()->GetBitmap(), nullptr);
  line->SetString("hi");

  line->Append("!!");
  EXPECT_EQ(TextOf(*line), "hi!!");
  EXPECT_EQ(line->GetWidth(), 20);
  line->Clear();
  EXPECT_EQ(line->GetText(), nullptr);
  EXPECT_EQ(line->GetLength(), 0);

  // Without the system font a line ignores every text.
  library.reset();
  gDataLibrary = nullptr;
  auto* bare = Add<GUITextLine>("Bare");
  bare->SetString("lost");
  EXPECT_EQ(bare->GetText(), nullptr);
  EXPECT_EQ(bare->GetWidth(), 0);
}

TEST_F(GUITextTest, GUIInputTextBox_StartsAsOneBlankAtTenBySixteen) {
  auto* box = Add<GUIInputTextBox>("Box");
  EXPECT_EQ(TextOf(*box), " ");
  EXPECT_EQ(box->GetLength(), 1);
  EXPECT_EQ(box->GetWidth(), 10);
  EXPECT_EQ(box->GetHeight(), 16);
  EXPECT_TRUE(box->IsVisible());
  EXPECT_FALSE(box->IsAutoSize());
  EXPECT_EQ(box->GetMaxChars(), 8);
  EXPECT_EQ(box->GetBlinkCounter(), 11);
  ASSERT_TRUE(Run("cursor = PM_GetValue('GUI', 'Box', 'Cursor')"));
  EXPECT_EQ(Number("cursor"), 0);
}

// A script's text keeps the box's cursor where it was, pulled back to the new text's end.
TEST_F(GUITextTest, GUIInputTextBox_SetStringKeepsTheCursorWithinTheText) {
  auto* box = FocusedBox();
  Type(ALLEGRO_KEY_A);
  Type(ALLEGRO_KEY_B);
  Type(ALLEGRO_KEY_C);
  ASSERT_EQ(box->GetCursor(), 3);
  struct Case {
    const char* text;
    const char* shown;
    int32_t cursor;
  };
  const Case cases[] = {
      {"wxyzuv", "wxyzuv", 3}, {"abcdefghijk", "abcdefgh", 3}, {"q", "q", 1}, {"", "", 0},
      {"hello", "hello", 0},
  };
  gui->SetActiveObject(box);
  for (const Case& c : cases) {
    const std::string set = std::string("GUIT_SetString('") + c.text + "')";
    ASSERT_TRUE(Run(set + " cursor = PM_GetValue('GUI', 'Box', 'Cursor')"));
    EXPECT_EQ(TextOf(*box), c.shown) << c.text;
    EXPECT_EQ(Number("cursor"), c.cursor) << c.text;
  }
  Type(ALLEGRO_KEY_X);
  EXPECT_EQ(TextOf(*box), "xhello");
}

// Every key code: what a press types, plain, with shift, and with caps lock and shift.
TEST_F(GUITextTest, GUIInputTextBox_KeyTable) {
  struct Case {
    int32_t keycode;
    const char* plain;
    const char* shifted;
  };
  const Case cases[] = {
      {ALLEGRO_KEY_A, "a", "A"},
      {ALLEGRO_KEY_Z, "z", "Z"},
      {ALLEGRO_KEY_0, "0", ")"},
      {ALLEGRO_KEY_2, "2", "'"},
      {ALLEGRO_KEY_3, "3", "\xA3"},
      {ALLEGRO_KEY_MINUS, "-", "_"},
      {ALLEGRO_KEY_EQUALS, "=", "+"},
      {ALLEGRO_KEY_OPENBRACE, "[", "{"},
      {ALLEGRO_KEY_CLOSEBRACE, "]", "}"},
      {ALLEGRO_KEY_SEMICOLON, ";", ":"},
      {ALLEGRO_KEY_QUOTE, "'", "@"},
      {ALLEGRO_KEY_SPACE, " ", " "},
      // Character keys whose map entry is 0 type nothing.
      {ALLEGRO_KEY_BACKSLASH, "", ""},
      {ALLEGRO_KEY_BACKSLASH2, "", ""},
      {ALLEGRO_KEY_COMMA, "", ""},
      {ALLEGRO_KEY_SLASH, "", ""},
      // Not character keys at all.
      {ALLEGRO_KEY_FULLSTOP, "", ""},
      {ALLEGRO_KEY_TILDE, "", ""},
      {ALLEGRO_KEY_PAD_1, "", ""},
      {ALLEGRO_KEY_F1, "", ""},
      {ALLEGRO_KEY_UP, "", ""},
      {-1, "", ""},
      {ALLEGRO_KEY_MAX + 5, "", ""},
  };
  for (const Case& c : cases) {
    for (const bool shift : {false, true}) {
      SCOPED_TRACE(std::to_string(c.keycode) + (shift ? " shifted" : " plain"));
      keyboard->UpdateKeys(shift ? KeysHeld({ALLEGRO_KEY_LSHIFT}) : KeysHeld({}));
      auto* box = FocusedBox();
      log.Clear();
      Type(c.keycode);
      const std::string typed = shift ? c.shifted : c.plain;
      EXPECT_EQ(TextOf(*box), typed);
      EXPECT_EQ(box->GetCursor(), static_cast<int32_t>(typed.size()));
      EXPECT_EQ(log.Text(), typed.empty() ? "" : "Print " + typed + " - \n");
      gui->GetTopLevel().Clear();
      delete box;
    }
  }
  // Caps lock and shift together give the plain column.
  keyboard->UpdateKeys(KeysHeld({}));
  keyboard->UpdateKeys(KeysHeld({ALLEGRO_KEY_CAPSLOCK}));
  keyboard->UpdateKeys(KeysHeld({ALLEGRO_KEY_CAPSLOCK, ALLEGRO_KEY_LSHIFT}));
  ASSERT_TRUE(keyboard->GetCapsLock());
  auto* box = FocusedBox();
  Type(ALLEGRO_KEY_Q);
  EXPECT_EQ(TextOf(*box), "q");
}

TEST_F(GUITextTest, GUIInputTextBox_EditingKeys) {
  auto* box = FocusedBox();
  EXPECT_TRUE(box->IsFocused());
  EXPECT_EQ(gui->GetFocusedInputBox(), box);

  // Nine letters keep eight; the ninth logs nothing.
  log.Clear();
  for (int i = 0; i < 9; ++i) Type(ALLEGRO_KEY_A + i);
  EXPECT_EQ(TextOf(*box), "abcdefgh");
  EXPECT_EQ(log.Text().find("Print i"), std::string::npos);
  EXPECT_EQ(box->GetCursor(), 8);

  // Backspace and delete both remove the character before the cursor; at 0 nothing happens.
  box->SetSystemData(8, false);
  Type(ALLEGRO_KEY_A);
  Type(ALLEGRO_KEY_B);
  Type(ALLEGRO_KEY_BACKSPACE);
  EXPECT_EQ(TextOf(*box), "a");
  EXPECT_EQ(box->GetCursor(), 1);
  Type(ALLEGRO_KEY_DELETE);
  Type(ALLEGRO_KEY_BACKSPACE);
  EXPECT_EQ(TextOf(*box), "");
  EXPECT_EQ(box->GetCursor(), 0);

  // Enter on an empty text drops the focus without submitting.
  gui->DispatchKey(GUIBaseObject::kKeyDown, ALLEGRO_KEY_ENTER);
  EXPECT_FALSE(box->IsFocused());
  EXPECT_EQ(gui->GetFocusedInputBox(), nullptr);
  EXPECT_FALSE(box->IsSubmitted());
  // Without the focus the box takes no keys.
  Type(ALLEGRO_KEY_A);
  EXPECT_EQ(TextOf(*box), "");

  // Tab drops the focus too.
  Mouse(GUIBaseObject::kPress, 5, 5);
  Type(ALLEGRO_KEY_TAB);
  EXPECT_FALSE(box->IsFocused());
  Type(ALLEGRO_KEY_A);
  EXPECT_EQ(TextOf(*box), "");
}

TEST_F(GUITextTest, GUIInputTextBox_SubmitsACopyAndKeepsItsTextInPlace) {
  auto* box = FocusedBox();
  PropertyRef routed = router->Route("GUI", "Box", "String");
  const std::string* where = routed.ReadText();
  ASSERT_NE(where, nullptr);
  Type(ALLEGRO_KEY_A);
  Type(ALLEGRO_KEY_B);
  Type(ALLEGRO_KEY_BACKSPACE);
  EXPECT_FALSE(box->TakeSubmittedString().has_value());
  gui->DispatchKey(GUIBaseObject::kKeyDown, ALLEGRO_KEY_ENTER);
  EXPECT_TRUE(box->IsSubmitted());
  EXPECT_EQ(box->TakeSubmittedString(), std::optional<std::string>("a"));
  EXPECT_FALSE(box->IsSubmitted());
  EXPECT_EQ(TextOf(*box), "");
  EXPECT_EQ(box->GetCursor(), 0);
  EXPECT_EQ(routed.ReadText(), where);
  box->SetString("again");
  EXPECT_EQ(*routed.ReadText(), "again");
}

// The key of the event counts, not a key seen earlier; and keys reach the box only while it and
// every widget holding it are shown.
TEST_F(GUITextTest, GUIInputTextBox_TakesTheKeyOfItsEventOnlyWhileShown) {
  auto* window = Add<GUIWindow>("Window", nullptr, 0, 0, 200, 100);
  auto* box = Add<GUIInputTextBox>("Box", window);
  box->SetDimensions(0, 0, 100, 16);
  Mouse(GUIBaseObject::kPress, 5, 5);
  Mouse(GUIBaseObject::kRelease, 5, 5);
  ASSERT_EQ(gui->GetFocusedInputBox(), box);
  box->SetSystemData(8, false);
  gui->SetLastKey(ALLEGRO_KEY_Q);
  gui->DispatchKey(GUIBaseObject::kKeyDown, ALLEGRO_KEY_W);
  EXPECT_EQ(TextOf(*box), "w");

  window->Hide();
  Type(ALLEGRO_KEY_E);
  window->Show();
  Type(ALLEGRO_KEY_R);
  EXPECT_EQ(TextOf(*box), "wr");
  EXPECT_TRUE(box->IsFocused());

  // Another box takes the focus; the first keeps its flag but no longer hears keys.
  auto* other = Add<GUIInputTextBox>("Other", window);
  other->SetDimensions(0, 50, 100, 16);
  Mouse(GUIBaseObject::kPress, 5, 55);
  Type(ALLEGRO_KEY_T);
  EXPECT_EQ(TextOf(*box), "wr");
  EXPECT_EQ(TextOf(*other), " t");
  EXPECT_TRUE(box->IsFocused());
}

TEST_F(GUITextTest, GUIInputTextBox_BlinkCycle) {
  auto* box = Add<GUIInputTextBox>("Box");
  box->SetDimensions(0, 0, 100, 16);
  const auto tick = [&] { gui->DispatchMouse(GUIBaseObject::kTick); };
  const auto cursorShown = [&] {
    FramePixel(0, 0);
    // The cursor after the box's one blank.
    return BufferPixel(*box, 15, 11) == (Rgba{201, 171, 207, 255});
  };
  tick();
  EXPECT_EQ(box->GetBlinkCounter(), 11);
  EXPECT_FALSE(cursorShown());
  Mouse(GUIBaseObject::kPress, 5, 5);
  Mouse(GUIBaseObject::kRelease, 5, 5);
  // Focused: 12 ... 20, then 0 ... 9 shown, 10 ... 20 hidden, again and again.
  std::string phases;
  for (int i = 0; i < 42; ++i) {
    tick();
    phases += cursorShown() ? '#' : '.';
  }
  EXPECT_EQ(phases, std::string(9, '.') + std::string(10, '#') + std::string(11, '.') +
                        std::string(10, '#') + std::string(2, '.'));
  gui->DispatchKey(GUIBaseObject::kKeyDown, ALLEGRO_KEY_TAB);
  tick();
  EXPECT_EQ(box->GetBlinkCounter(), 11);
  EXPECT_FALSE(cursorShown());
}

TEST_F(GUITextTest, GUIInputTextBox_DrawsItsFrameTextAndCursor) {
  auto* box = Add<GUIInputTextBox>("Box");
  box->SetDimensions(0, 0, 100, 16);
  box->SetString("ab");
  Mouse(GUIBaseObject::kPress, 5, 5);
  for (int i = 0; i < 12; ++i) gui->DispatchMouse(GUIBaseObject::kTick);  // counter at 0
  FramePixel(0, 0);
  EXPECT_EQ(BufferPixel(*box, 50, 8), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(BufferPixel(*box, 1, 8), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(BufferPixel(*box, 25, 11), (Rgba{201, 171, 207, 255}));  // the cursor after "ab"
  EXPECT_EQ(BufferPixel(*box, 14, 11), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(BufferPixel(*box, 50, 14), (Rgba{255, 0, 0, 255}));
}

// Scripts cut the text at MaxChars and may write MaxChars, Length and Cursor through the router;
// whatever they write, the next edit stays inside the text.
TEST_F(GUITextTest, GUIInputTextBox_EditsAndRouterWritesStayInsideTheText) {
  auto* box = FocusedBox(4);
  box->SetString("abcdefgh");
  EXPECT_EQ(TextOf(*box), "abcd");
  EXPECT_EQ(box->GetCursor(), 0);
  EXPECT_EQ(box->GetWidth(), 100);

  Run("PM_SetValue(-3, 'GUI', 'Box', 'MaxChars')");
  box->Revalidate();
  EXPECT_EQ(box->GetMaxChars(), 0);
  EXPECT_EQ(TextOf(*box), "");
  Run("PM_SetValue(3, 'GUI', 'Box', 'MaxChars') PM_SetValue(99, 'GUI', 'Box', 'Cursor')"
      " PM_SetValue(1000, 'GUI', 'Box', 'Length')");
  Type(ALLEGRO_KEY_X);
  EXPECT_EQ(TextOf(*box), "x");
  EXPECT_EQ(box->GetLength(), 1);
  EXPECT_EQ(box->GetCursor(), 1);
  Run("PM_SetValue(50, 'GUI', 'Box', 'Cursor')");
  Type(ALLEGRO_KEY_BACKSPACE);
  EXPECT_EQ(TextOf(*box), "");
  EXPECT_FALSE(box->DeleteChar(1));
  EXPECT_FALSE(box->InsertChar('a', 1));
  EXPECT_FALSE(box->InsertChar(0, 0));
  box->SetSystemData(-5, true);
  EXPECT_EQ(box->GetMaxChars(), 0);
  EXPECT_TRUE(box->GetSystemFlag());

  // A long random mix of keys, texts, submits and router writes (clean under the sanitizers).
  const int32_t keys[] = {ALLEGRO_KEY_A,         ALLEGRO_KEY_9,      ALLEGRO_KEY_SPACE,
                          ALLEGRO_KEY_BACKSPACE, ALLEGRO_KEY_DELETE, ALLEGRO_KEY_ENTER,
                          ALLEGRO_KEY_TAB,       ALLEGRO_KEY_COMMA};
  const char* writes[] = {"MaxChars", "Length", "Cursor"};
  const int values[] = {-100, -1, 0, 1, 2, 7, 8, 9, 64, 100000, 2147483647};
  std::srand(7);
  box->SetSystemData(8, false);
  for (int step = 0; step < 3000; ++step) {
    switch (std::rand() % 6) {
      case 0:
      case 1:
        if (gui->GetFocusedInputBox() != box) Mouse(GUIBaseObject::kPress, 5, 5);
        Type(keys[std::rand() % std::size(keys)]);
        break;
      case 2:
        Run("PM_SetValue(" + std::to_string(values[std::rand() % std::size(values)]) +
            ", 'GUI', 'Box', '" + writes[std::rand() % 3] + "')");
        break;
      case 3:
        box->SetString(std::string(static_cast<size_t>(std::rand() % 20), 'q').c_str());
        break;
      case 4:
        box->TakeSubmittedString();
        break;
      default:
        FramePixel(0, 0);
        break;
    }
    box->Revalidate();
    ASSERT_GE(box->GetMaxChars(), 0);
    ASSERT_LE(box->GetLength(), box->GetMaxChars());
    ASSERT_EQ(static_cast<size_t>(box->GetLength()), box->GetText()->size());
    ASSERT_GE(box->GetCursor(), 0);
    ASSERT_LE(box->GetCursor(), box->GetLength());
  }
}

// Answers "Number", "Speed", "Line" (a slot holding a text) and "Name" (a text itself).
class Source : public GUIBaseObject {
 public:
  int32_t number = 42;
  float speed = 3.5f;
  std::string name = "Tolva";
  std::string lineText = "first";
  const std::string* line = &lineText;
  PropertyRef GetPropertyAddress(const char*, const char* property) override {
    const std::string wanted = property;
    if (wanted == "Number") return PropertyRef::Integer(number, GetLifetimeToken());
    if (wanted == "Speed") return PropertyRef::Float(speed, GetLifetimeToken());
    if (wanted == "Name") return PropertyRef::Text(name, GetLifetimeToken());
    if (wanted == "Line") return PropertyRef::TextSlot(line, GetLifetimeToken());
    return PropertyRef();
  }
};

TEST_F(GUITextTest, GUISmartTextLine_ShowsTheWatchedValue) {
  auto* source = Add<Source>("Source");
  auto* smart = Add<GUISmartTextLine>("Smart", nullptr, 300, 0, 10, 16);
  const auto shown = [&](const char* property) {
    smart->WatchProperty("GUI", "Source", property);
    gui->DispatchMouse(GUIBaseObject::kTick);
    return TextOf(*smart);
  };
  EXPECT_EQ(shown("Number"), "42");
  EXPECT_EQ(smart->GetWidth(), 20);
  EXPECT_EQ(shown("Speed"), "3.5");
  source->speed = FLT_MAX;
  // The widest float is cut at 31 characters.
  EXPECT_EQ(shown("Speed"), "3402823466385288598117041834845");
  source->speed = -FLT_MAX;
  EXPECT_EQ(shown("Speed"), "-340282346638528859811704183484");
  EXPECT_EQ(shown("Name"), "Tolva");
  log.Clear();
  EXPECT_EQ(shown("Line"), "first");
  EXPECT_EQ(log.Text().rfind("String Address: ", 0), 0u);
  source->lineText = "second";
  gui->DispatchMouse(GUIBaseObject::kTick);
  EXPECT_EQ(TextOf(*smart), "second");
  // An empty slot keeps the previous text.
  source->line = nullptr;
  gui->DispatchMouse(GUIBaseObject::kTick);
  EXPECT_EQ(TextOf(*smart), "second");
  // A kind it does not show watches nothing.
  EXPECT_EQ(shown("Missing"), "second");
  EXPECT_EQ(smart->GetWatchedType(), 0);

  // Once the owner is gone the last text stays.
  source->line = &source->lineText;
  EXPECT_EQ(shown("Number"), "42");
  gui->GetTopLevel().Remove("Source");
  delete source;
  gui->DispatchMouse(GUIBaseObject::kTick);
  EXPECT_EQ(TextOf(*smart), "42");
}

TEST_F(GUITextTest, GUISmartTextLine_WatchesAnInputBoxText) {
  auto* box = FocusedBox();
  auto* smart = Add<GUISmartTextLine>("Smart", nullptr, 300, 0, 10, 16);
  smart->WatchProperty("GUI", "Box", "String");
  Type(ALLEGRO_KEY_H);
  Type(ALLEGRO_KEY_I);
  gui->DispatchMouse(GUIBaseObject::kTick);
  EXPECT_EQ(TextOf(*smart), "hi");
  // It never takes a click.
  EXPECT_FALSE(Mouse(GUIBaseObject::kPress, 305, 5));
  EXPECT_FALSE(Mouse(GUIBaseObject::kRelease, 305, 5));
  (void)box;
}

}  // namespace
