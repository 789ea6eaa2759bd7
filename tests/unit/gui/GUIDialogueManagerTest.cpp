#include <gtest/gtest.h>

#include <string>

#include "gui/GUIWindow.h"
#include "support/DialogueFixture.h"
#include "support/GUIFixture.h"

namespace {

constexpr int32_t kPress = GUIBaseObject::kPress;
constexpr int32_t kRelease = GUIBaseObject::kRelease;

class GUIDialogueManagerTest : public DialogueFixture {
 protected:
  GUIDialogueManagerTest() {
    WriteDialogueScript("talk.lua");
    gEntityManager->SetDialogueNPC(AddDialogueNPC("Mira", 100, 100, "talk.lua"));
    window->Show();
    log.Clear();
  }

  std::string LineText(int32_t index) { return window->GetLine(index)->GetText(); }

  // Whether some pixel of the frame's rectangle [x, x + w) x [y, y + h) has the colour.
  bool FrameHas(int x, int y, int w, int h, Rgba colour) {
    FramePixel(0, 0);
    for (int j = y; j < y + h; ++j) {
      for (int i = x; i < x + w; ++i) {
        if (PixelAt(frame.GetBitmap(), i, j) == colour) return true;
      }
    }
    return false;
  }
};

TEST_F(GUIDialogueManagerTest, CreatedAtTheBottomOfTheScreenHiddenAndInFront) {
  gui->CreateDialogueManager();  // a second one, as a test of the placement only
  auto* fresh = static_cast<GUIDialogueManager*>(gui->GetTopLevel().Find("DialogueManager"));
  EXPECT_EQ(fresh->GetType(), 3040);
  EXPECT_EQ(gui->GetTopLevel().GetAt(0), fresh);
  EXPECT_FALSE(fresh->IsVisible());
  EXPECT_EQ(fresh->GetLeft(), 0);
  EXPECT_EQ(fresh->GetTop(), 380);
  EXPECT_EQ(fresh->GetWidth(), 800);
  EXPECT_EQ(fresh->GetHeight(), 220);
  EXPECT_EQ(fresh->GetLineCount(), 12);
  for (int32_t i = 0; i < 12; ++i) {
    EXPECT_STREQ(fresh->GetLine(i)->GetText(), " ");
    EXPECT_TRUE(fresh->GetLine(i)->IsVisible());
    EXPECT_FALSE(fresh->GetLine(i)->IsResponse());
  }
  EXPECT_EQ(fresh->GetLastChatResponse(), -1);
}

TEST_F(GUIDialogueManagerTest, APlaceOnATallerScreenFollowsItsHeight) {
  gScreenWidth = 1024;
  gScreenHeight = 768;
  gui->CreateDialogueManager();
  const auto* tall = static_cast<GUIDialogueManager*>(gui->GetTopLevel().GetAt(0));
  EXPECT_EQ(tall->GetTop(), 768 - 281);
  EXPECT_EQ(tall->GetWidth(), 1024);
  EXPECT_EQ(tall->GetHeight(), 281);
}

TEST_F(GUIDialogueManagerTest, ChatBubbleTexts) {
  ChatBubble bubble("~BLANK");
  EXPECT_STREQ(bubble.GetText(), " ");
  bubble.SetResponse("~BLANK", 7);
  EXPECT_STREQ(bubble.GetText(), " ");
  EXPECT_EQ(bubble.GetResponseValue(), 7);
  // "~BLANK" is only the whole text.
  bubble.SetText("~BLANKS");
  EXPECT_STREQ(bubble.GetText(), "~BLANKS");
  EXPECT_EQ(bubble.GetResponseValue(), -1);
  const std::string exactly79(79, 'a');
  bubble.SetText(exactly79.c_str());
  EXPECT_EQ(bubble.GetText(), exactly79);
  bubble.SetResponse((exactly79 + "bcd").c_str(), 2);
  EXPECT_EQ(bubble.GetText(), exactly79);
  bubble.Clear();
  EXPECT_FALSE(bubble.IsVisible());
  EXPECT_FALSE(bubble.IsResponse());
  EXPECT_STREQ(bubble.GetText(), "");
}

// Releases at an 800 x 600 screen: the lines' area is x 225 to 676 and y 393 to 584.
TEST_F(GUIDialogueManagerTest, PickTableAt800By600) {
  for (int32_t i = 0; i < 12; ++i) window->SetLineResponse(i, "answer", 100 + i);
  struct Case {
    float x, y;
    int32_t picked;  // the code stored, or -9 for no pick
  };
  const Case cases[] = {
      {225, 393, 100}, {676, 393, 100}, {225, 408, 100}, {225, 409, 101},
      {676, 584, 111}, {450, 500, 106}, {225, 392, -9},  {225, 585, -9},
      {677, 393, -9},  {224, 393, -9},  {0, 380, -9},    {799, 599, -9},
  };
  for (const Case& c : cases) {
    window->SetLastChatResponse(-9);
    Run("ran = ''");
    EXPECT_TRUE(Mouse(kPress, c.x, c.y)) << c.x << ", " << c.y;
    EXPECT_EQ(Mouse(kRelease, c.x, c.y), c.picked != -9) << c.x << ", " << c.y;
    EXPECT_EQ(window->GetLastChatResponse(), c.picked) << c.x << ", " << c.y;
    EXPECT_EQ(Text("ran"), c.picked != -9 ? "-100:" + std::to_string(c.picked) + " " : "")
        << c.x << ", " << c.y;
    EXPECT_FALSE(window->IsPressed());
  }
}

TEST_F(GUIDialogueManagerTest, ResponsesCloseContinueOrPassOn) {
  // The script answers a 5 with a line of its own, so the conversation goes on.
  WriteDialogueScript("talk.lua",
                      "if GetLastChatResponse() == 5 then SetDialogueLine(0, 'Five it is') end\n");
  Run("SetDialogueResponse(2, 'Five', 5) SetDialogueResponse(3, 'Bye', -3) "
      "SetDialogueLine(4, 'Just a line')");
  const float lineY = [](int line) { return 380.0f + 13 + 16 * line + 4; }(2);

  EXPECT_TRUE(Click(300, lineY));
  EXPECT_EQ(Text("ran"), "-100:5 ");
  EXPECT_EQ(LineText(0), "Five it is");
  EXPECT_TRUE(window->IsVisible());
  Run("after = GetLastChatResponse()");
  EXPECT_EQ(Number("after"), 5);

  // A plain line stores -1, runs nothing and goes on to what lies behind.
  auto* behind = Add<RecordingWidget>("Behind", nullptr, 0, 0, 800, 600);
  behind->answer = true;
  Mouse(kPress, 300, lineY + 32);
  behind->answer = false;
  EXPECT_FALSE(Mouse(kRelease, 300, lineY + 32));
  EXPECT_EQ(window->GetLastChatResponse(), -1);
  ASSERT_FALSE(behind->Clicks().empty());
  EXPECT_EQ(behind->Clicks().back().event, kRelease);

  // -3 hides the window and runs nothing.
  EXPECT_TRUE(Click(300, lineY + 16));
  EXPECT_FALSE(window->IsVisible());
  EXPECT_EQ(Text("ran"), "-100:5 ");
  Run("after = GetLastChatResponse()");
  EXPECT_EQ(Number("after"), -3);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(GUIDialogueManagerTest, AResponseWithoutADialogueNPCRunsNothing) {
  gEntityManager->SetDialogueNPC(nullptr);
  window->SetLineResponse(0, "Hello?", 4);
  EXPECT_TRUE(Click(300, 395));
  EXPECT_EQ(Text("ran"), "");
  EXPECT_EQ(log.Text(),
            "Something is seriously wrong with the Dialogue Manager, and the Dialogue NPC wasn't "
            "set\n");
}

// A release that picks a response ends the press, so a later release with no press on the
// window (the press went to a widget in front) picks nothing.
TEST_F(GUIDialogueManagerTest, EveryReleaseEndsThePress) {
  window->SetLineResponse(0, "Again", 4);
  EXPECT_TRUE(Click(300, 395));
  EXPECT_EQ(Text("ran"), "-100:4 ");
  auto* front = Add<RecordingWidget>("Front", nullptr, 0, 0, 100, 100);
  front->answer = true;
  gui->BringToFront(nullptr, front);
  EXPECT_TRUE(Mouse(kPress, 50, 50));
  front->answer = false;
  EXPECT_FALSE(Mouse(kRelease, 300, 395));
  EXPECT_EQ(Text("ran"), "-100:4 ");
  // A press outside the window and a release on a response pick nothing either.
  EXPECT_FALSE(Mouse(kPress, 300, 300));
  EXPECT_FALSE(Mouse(kRelease, 300, 395));
  EXPECT_EQ(Text("ran"), "-100:4 ");
}

TEST_F(GUIDialogueManagerTest, PaneBubbleAndPortraitPixels) {
  Run("SetPortraitBackground('Sky') SetPortrait('Face') ClearDialogue() "
      "SetDialogueLine(1, 'MMMM') SetDialogueResponse(2, 'MMMM', 3)");
  ASSERT_EQ(log.Text(), "");
  EXPECT_EQ(FramePixel(700, 390), kPane);
  EXPECT_EQ(FramePixel(0, 380), kPane);
  EXPECT_EQ(FramePixel(0, 379), (Rgba{0, 0, 0, 255}));
  // The portrait over its background, both at (11, 13).
  EXPECT_EQ(FramePixel(11, 393), kFace);
  EXPECT_EQ(FramePixel(58, 440), kFace);
  EXPECT_EQ(FramePixel(60, 442), kSky);
  EXPECT_EQ(FramePixel(74, 456), kSky);
  EXPECT_EQ(FramePixel(75, 457), kPane);
  EXPECT_EQ(FramePixel(10, 392), kPane);
  // Line 1 at (225, 409): text from its left edge; line 2 a response at (225, 425): the bubble
  // there, its text 16 pixels further right.
  EXPECT_TRUE(FrameHas(225, 409, 8, 8, kText));
  EXPECT_FALSE(FrameHas(217, 401, 8, 8, kText));
  EXPECT_EQ(FramePixel(225, 425), kBubble);
  EXPECT_EQ(FramePixel(236, 436), kBubble);
  EXPECT_FALSE(FrameHas(225, 425, 16, 8, kText));
  EXPECT_TRUE(FrameHas(241, 425, 8, 8, kText));
  // Cleared lines draw nothing.
  EXPECT_FALSE(FrameHas(225, 393, 400, 16, kText));
  // The window is drawn again on every frame.
  EXPECT_TRUE(window->IsDirty());
}

// A game without the pane, the dialogue font and the bubble: the window's look-ups log the data
// library's warnings once when it is made; each response line's bubble, looked up every frame,
// logs once.
TEST_F(GUIDialogueManagerTest, MissingPaneFontAndBubbleAreLoggedOnce) {
  DataLibrary bare;
  bare.AddSection("Images");
  bare.AddCatalogue("Images", "GUI");
  bare.AddSection("Fonts");
  bare.AddCatalogue("Fonts", "General");
  gDataLibrary = &bare;
  window->Hide();
  log.Clear();
  gui->CreateDialogueManager();
  EXPECT_EQ(log.Text(),
            "DataLibrary - GetHeading(B):  Failed, Chat not found\n"
            "DataLibrary - GetHeading(B):  Failed, Dialogue not found\n");
  auto* fresh = static_cast<GUIDialogueManager*>(gui->GetTopLevel().GetAt(0));
  fresh->Show();
  fresh->SetLineResponse(1, "Yes", 1);
  fresh->SetLineResponse(2, "No", 2);
  log.Clear();
  for (int frame = 0; frame < 3; ++frame) FramePixel(0, 0);
  EXPECT_EQ(log.Text(),
            "DataLibrary - GetHeading(B):  Failed, Bubbles not found\n"
            "DataLibrary - GetHeading(B):  Failed, Bubbles not found\n");
  fresh->Hide();
  gDataLibrary = library.get();
}

TEST_F(GUIDialogueManagerTest, PortraitMissesRemoveThePicture) {
  Run("SetPortrait('Face') SetPortraitBackground('Sky')");
  log.Clear();
  Run("SetPortrait('Nobody') SetPortraitBackground('Night')");
  EXPECT_EQ(window->GetPortrait(), nullptr);
  EXPECT_EQ(window->GetPortraitBackground(), nullptr);
  EXPECT_EQ(log.Text(),
            "DataLibrary:  Warning, Root/Images/Portraits/Corvella/Nobody does not exist\n"
            "Scanning for portrait FAILED\n"
            "DataLibrary:  Warning, Root/Images/Portraits/Backgrounds/Night does not exist\n"
            "Scanning for background FAILED\n");
  EXPECT_EQ(FramePixel(11, 393), kPane);
}

TEST_F(GUIDialogueManagerTest, LinesThroughTheScriptFunctions) {
  Run("SetDialogueLine(12, 'x') SetDialogueLine(-1, 'x') SetDialogueResponse(12, 'x', 1)");
  for (int32_t i = 0; i < 12; ++i) EXPECT_EQ(LineText(i), " ");
  EXPECT_EQ(log.Text(), "");

  Run("n = SetDialogueLineIncr(3, 'three') m = SetDialogueResponseIncr(n, '~BLANK', 9) "
      "k = SetDialogueLineIncr(2.9, 'two')");
  EXPECT_EQ(Number("n"), 4);
  EXPECT_EQ(Number("m"), 5);
  EXPECT_EQ(Number("k"), 3);
  EXPECT_EQ(LineText(3), "three");
  EXPECT_EQ(LineText(4), " ");
  EXPECT_EQ(window->GetResponseValue(4), 9);
  EXPECT_EQ(LineText(2), "two");

  // A line set plainly is no response any more.
  Run("SetDialogueLine(4, 'plain now')");
  EXPECT_EQ(window->GetResponseValue(4), -1);

  Run("SetDialogueLine(0, string.rep('x', 100))");
  EXPECT_EQ(LineText(0), std::string(79, 'x'));

  Run("ClearDialogue('any', 'arguments')");
  for (int32_t i = 0; i < 12; ++i) EXPECT_FALSE(window->GetLine(i)->IsVisible());
  Run("SetDialogueLine(6, 'back')");
  EXPECT_TRUE(window->GetLine(6)->IsVisible());
  EXPECT_FALSE(window->GetLine(5)->IsVisible());
  EXPECT_EQ(window->GetResponseValue(99), -1);
}

TEST_F(GUIDialogueManagerTest, FailureLines) {
  ExpectFailures({
      {"SetPortrait()", "SetPortrait:  Failed, invalid argument list\n"},
      {"SetPortrait('a', 'b')", "SetPortrait:  Failed, invalid argument list\n"},
      {"SetPortrait(nil)", "SetPortrait:  Failed, invalid argument list\n"},
      {"SetPortraitBackground()", "SetPortraitBackground:  Failed, invalid argument list\n"},
      {"SetDialogueLine(0)", "SetDialogueLine:  Failed, invalid argument list\n"},
      {"SetDialogueLine(0, nil)", "SetDialogueLine:  Failed, invalid argument list\n"},
      {"SetDialogueLineIncr(0, 'a', 1)", "SetDialogueLineIncr:  Failed, invalid argument list\n"},
      {"SetDialogueResponse(0, 'a')", "SetDialogueResponse:  Failed, invalid argument list\n"},
      {"SetDialogueResponse(0, {}, 1)", "SetDialogueResponse:  Failed, invalid argument list\n"},
      {"SetDialogueResponseIncr(0, 'a')",
       "SetDialogueResponseIncr:  Failed, invalid argument list\n"},
  });
  gGUIManager = nullptr;
  ExpectFailures({
      {"SetPortrait('Face')", "SetPortrait:  Failed, manager not created\n"},
      {"ClearDialogue()", "ClearDialogue:  Failed, manager not created\n"},
      {"GetLastChatResponse()", "GetLastChatResponse:  Failed, manager not created\n"},
  });
}

// Only a dialogue window answers to "DialogueManager": a script's widget of that name, found first
// from the front, is passed over; with no dialogue window the functions say so.
TEST_F(GUIDialogueManagerTest, AScriptWidgetNamedDialogueManagerIsNotTheWindow) {
  auto* impostor = Add<GUIWindow>("DialogueManager", nullptr, 0, 0, 50, 50);
  gui->BringToFront(nullptr, impostor);
  ASSERT_EQ(gui->FindGUIObject("DialogueManager"), impostor);
  Run("SetDialogueLine(0, 'to the window') SetDialogueResponse(1, 'yes', 2) ClearDialogue() "
      "SetDialogueLine(0, 'again') r = GetLastChatResponse()");
  EXPECT_EQ(LineText(0), "again");
  EXPECT_EQ(Number("r"), -1);
  EXPECT_EQ(log.Text(), "");

  GUIManager bare;
  gGUIManager = &bare;
  bare.GetTopLevel().AddTail("DialogueManager", new GUIWindow());
  static_cast<GUIBaseObject*>(bare.GetTopLevel().GetAt(0))->SetName("DialogueManager");
  const char* kMissing = "FindGUIObject:  Failed, object DialogueManager not found\n";
  ExpectFailure("SetPortrait('Face')",
                std::string(kMissing) + "SetPortrait:  Failed, no Dialogue Manager found\n");
  ExpectFailure(
      "SetPortraitBackground('Sky')",
      std::string(kMissing) + "SetPortraitBackground:  Failed, no Dialogue Manager found\n");
  ExpectFailure("SetDialogueLine(0, 'a')",
                std::string(kMissing) + "SetDialogueLine:  Failed, no Dialogue Manager found\n");
  ExpectFailure(
      "SetDialogueLineIncr(0, 'a')",
      std::string(kMissing) + "SetDialogueLineIncr:  Failed, no Dialogue Manager found\n");
  ExpectFailure(
      "SetDialogueResponse(0, 'a', 1)",
      std::string(kMissing) + "SetDialogueResponse:  Failed, no Dialogue Manager found\n");
  ExpectFailure(
      "SetDialogueResponseIncr(0, 'a', 1)",
      std::string(kMissing) + "SetDialogueResponseIncr:  Failed, no Dialogue Manager found\n");
  ExpectFailure("ClearDialogue()", std::string(kMissing) +
                                       "ClearDialogue:  Failed, could not find DialogueManager!\n");
  ExpectFailure(
      "GetLastChatResponse()",
      std::string(kMissing) + "GetLastChatResponse:  Failed, no Dialogue Manager found\n");
  gGUIManager = gui.get();
}

}  // namespace
