#include <gtest/gtest.h>

#include <string>

#include "gui/ChatManager.h"
#include "gui/GUIInputTextBox.h"
#include "gui/GUISmartTextLine.h"
#include "gui/GUIWindow.h"
#include "support/WidgetFixture.h"

namespace {

class ChatManagerTest : public WidgetFixture {
 protected:
  ChatManagerTest() {
    gChatManager = &chat;
    box = Add<GUIInputTextBox>("ChatBox", nullptr, 0, 560, 400, 16);
    box->SetSystemData(40, false);
  }

  // Types the text into the box (focusing it first) and presses Enter.
  void Submit(const std::string& text) {
    Click(5, 565);
    for (char c : text) {
      const int32_t key = c == ' ' ? ALLEGRO_KEY_SPACE : ALLEGRO_KEY_A + (c - 'a');
      gui->DispatchKey(GUIBaseObject::kKeyDown, key);
      gui->DispatchKey(GUIBaseObject::kKeyUp, key);
    }
    gui->DispatchKey(GUIBaseObject::kKeyDown, ALLEGRO_KEY_ENTER);
  }

  std::string Slot(const char* property) {
    const PropertyRef found = router->Route("ChatLog", "anything", property);
    if (found.GetType() != PropertyRef::kText) return "<not routed>";
    const std::string* text = found.ReadText();
    return text != nullptr ? *text : "<empty>";
  }

  ChatManager chat;
  GUIInputTextBox* box = nullptr;
};

TEST_F(ChatManagerTest, LogPropertyNames) {
  chat.SetWatchedBox(box);
  for (const char* line : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}) {
    box->SetString(line);
    Submit("");
    chat.Update();
  }
  // Newest first: Log|0 is "j", Log|9 is "a".
  const struct {
    const char* property;
    const char* reads;
  } cases[] = {
      {"Log|0", "j"},
      {"Log|9", "a"},
      {"Log|09", "a"},
      {"Log|5x", "e"},
      {"Log|", "j"},
      {"Log|+3", "g"},
      {"Log|-0", "j"},
      // Only two characters are read: the third digit never counts.
      {"Log|005", "j"},
      {"Log|-05", "j"},
      {"Log|+09", "j"},
      {"Log| 5", "j"},
      {"Log|x5", "j"},
      {"Log|10", "<not routed>"},
      {"Log|99", "<not routed>"},
      {"Log|-1", "<not routed>"},
      {"Log|100", "<not routed>"},
      {"log|1", "<not routed>"},
      {"Log", "<not routed>"},
      {"Lo", "<not routed>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Slot(c.property), c.reads) << c.property;
  EXPECT_EQ(router->GetType(), 0);  // the last case missed
}

TEST_F(ChatManagerTest, SubmittedLinesNewestFirstAndNeverTrimmed) {
  Run("ChatManager_WatchProperty('ChatBox')");
  EXPECT_EQ(log.Text(), "InputBox Linked\n");
  // Before any line the slot exists and holds nothing.
  EXPECT_EQ(Slot("Log|0"), "<empty>");
  const PropertyRef kept = router->Route("ChatLog", "", "Log|2");

  for (const char* line : {"a", "b", "c"}) {
    Submit(line);
    chat.Update();
  }
  EXPECT_EQ(Slot("Log|0"), "c");
  EXPECT_EQ(Slot("Log|2"), "a");
  EXPECT_EQ(Slot("Log|3"), "<empty>");
  // A reference taken earlier sees the new lines without asking again.
  ASSERT_NE(kept.ReadText(), nullptr);
  EXPECT_EQ(*kept.ReadText(), "a");

  // Nothing submitted, or an empty submission, makes no line.
  chat.Update();
  Submit("");
  chat.Update();
  EXPECT_EQ(chat.GetLineCount(), 3u);

  for (int i = 0; i < 9; ++i) {
    Submit(std::string(1, static_cast<char>('d' + i)));
    chat.Update();
  }
  EXPECT_EQ(chat.GetLineCount(), 12u);
  EXPECT_EQ(chat.GetLine(11), "a");
  EXPECT_EQ(Slot("Log|0"), "l");
  EXPECT_EQ(Slot("Log|9"), "c");
  EXPECT_EQ(*kept.ReadText(), "j");
}

TEST_F(ChatManagerTest, AWatchingTextLineShowsTheNewestLine) {
  Run("ChatManager_WatchProperty('ChatBox')");
  auto* shown = Add<GUISmartTextLine>("Newest", nullptr, 0, 0, 200, 16);
  shown->WatchProperty("ChatLog", "Log", "Log|0");
  Submit("hello there");
  gui->DispatchMouse(GUIBaseObject::kTick);
  chat.Update();
  gui->DispatchMouse(GUIBaseObject::kTick);
  ASSERT_NE(shown->GetText(), nullptr);
  EXPECT_EQ(*shown->GetText(), "hello there");
}

TEST_F(ChatManagerTest, WatchPropertyLinksOnlyInputBoxes) {
  Add<GUIWindow>("Panel", nullptr, 0, 0, 10, 10);
  Run("ChatManager_WatchProperty('ChatBox')");
  ExpectFailure("ChatManager_WatchProperty('Panel')",
                "ChatManager WatchProperty:  Failed, Panel is not a GUIInputTextBox\n");
  EXPECT_EQ(chat.GetWatchedBox(), box);
  ExpectFailure("ChatManager_WatchProperty('Nobody')",
                "FindGUIObject:  Failed, object Nobody not found\n");
  EXPECT_EQ(chat.GetWatchedBox(), nullptr);
  Submit("lost");
  chat.Update();
  EXPECT_EQ(chat.GetLineCount(), 0u);

  ExpectFailures({
      {"ChatManager_WatchProperty()",
       "ChatManager WatchProperty:  Failed, invalid argument list\n"},
      {"ChatManager_WatchProperty('a', 'b')",
       "ChatManager WatchProperty:  Failed, invalid argument list\n"},
      {"ChatManager_WatchProperty(nil)",
       "ChatManager WatchProperty:  Failed, invalid argument list\n"},
  });
  gChatManager = nullptr;
  ExpectFailure("ChatManager_WatchProperty('ChatBox')",
                "ChatManager WatchProperty:  Failed, manager not created\n");
}

}  // namespace
