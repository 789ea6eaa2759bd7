#include <gtest/gtest.h>

#include "gui/GUIDialogueOpener.h"
#include "gui/GUIEnvironmentWindow.h"
#include "gui/GUIWindow.h"
#include "support/DialogueFixture.h"
#include "support/GUIFixture.h"
#include "world/Camera.h"

namespace {

constexpr int32_t kPress = 0;
constexpr int32_t kRelease = 1;

class DialogueClickTest : public DialogueFixture {
 protected:
  DialogueClickTest() {
    gDialogueOpener = &opener;
    WriteDialogueScript("talk.lua");
    // Centre (100, 200): the click rectangle is x 91 to 109, y 153 to 208.
    npc = AddDialogueNPC("Mira", 100, 200, "talk.lua");
    log.Clear();
  }

  // A press or release that no widget took, as the map manager hands it to the NPCs.
  void WorldClick(int32_t mode, float x, float y) {
    gGUIManager->SetMousePosition(x, y);
    entities->SetClickMode(mode);
    entities->UpdateNPCs();
  }
  void PressAndRelease(float px, float py, float rx, float ry) {
    WorldClick(kPress, px, py);
    WorldClick(kRelease, rx, ry);
  }

  NPCStaticDialogue* npc = nullptr;
  GUIDialogueOpener opener;
};

TEST_F(DialogueClickTest, PressAndReleaseInsideTheClickRectangleRunTheDialogueOnce) {
  struct Case {
    float pressX, pressY, releaseX, releaseY;
    bool opens;
  };
  const Case cases[] = {
      {100, 200, 100, 200, true},  {91, 153, 109, 208, true},   {109.9f, 208.9f, 91, 153, true},
      {100, 200, 110, 200, false}, {100, 200, 100, 152, false}, {90, 200, 100, 200, false},
      {100, 209, 100, 200, false},
  };
  for (const Case& c : cases) {
    Run("ran = ''");
    window->SetLastChatResponse(7);
    entities->SetDialogueNPC(nullptr);
    PressAndRelease(c.pressX, c.pressY, c.releaseX, c.releaseY);
    const std::string at = std::to_string(c.pressX) + ", " + std::to_string(c.pressY) + " -> " +
                           std::to_string(c.releaseX) + ", " + std::to_string(c.releaseY);
    EXPECT_EQ(Text("ran"), c.opens ? "-100:-2 " : "") << at;
    EXPECT_EQ(window->GetLastChatResponse(), c.opens ? -1 : 7) << at;
    EXPECT_EQ(entities->GetDialogueNPC(), c.opens ? npc : nullptr) << at;
    EXPECT_FALSE(npc->IsPressed()) << at;
  }
  EXPECT_EQ(log.Text(), "");
}

// The press must be the NPC's own: after a click on it, a release on it whose press went to a
// widget opens nothing.
TEST_F(DialogueClickTest, AReleaseWithoutAPressOnTheNPCOpensNothing) {
  PressAndRelease(100, 200, 100, 200);
  EXPECT_EQ(Text("ran"), "-100:-2 ");
  WorldClick(kRelease, 100, 200);
  EXPECT_EQ(Text("ran"), "-100:-2 ");
}

TEST_F(DialogueClickTest, TheConversationGoesOnThroughTheWindow) {
  WriteDialogueScript("talk.lua",
                      "if GetLastChatResponse() == -2 then\n"
                      "  GUI_SetActiveObjectAndListFromBase('DialogueManager') GUIG_Show()\n"
                      "  SetPortrait('Face') ClearDialogue()\n"
                      "  local n = SetDialogueLineIncr(0, 'Hello there.')\n"
                      "  n = SetDialogueResponseIncr(n, 'Hello!', 1)\n"
                      "  SetDialogueResponse(n, 'Goodbye.', -3)\n"
                      "elseif GetLastChatResponse() == 1 then\n"
                      "  ClearDialogue() SetDialogueLine(0, 'Nice to meet you.')\n"
                      "  SetDialogueResponse(1, 'Goodbye.', -3)\n"
                      "end\n");
  PressAndRelease(100, 200, 100, 200);
  EXPECT_TRUE(window->IsVisible());
  EXPECT_STREQ(window->GetLine(0)->GetText(), "Hello there.");
  EXPECT_EQ(window->GetResponseValue(1), 1);
  EXPECT_EQ(window->GetLastChatResponse(), -1);
  EXPECT_TRUE(Click(300, 380 + 13 + 16 + 4));
  EXPECT_EQ(Text("ran"), "-100:-2 -100:1 ");
  EXPECT_STREQ(window->GetLine(0)->GetText(), "Nice to meet you.");
  EXPECT_TRUE(Click(300, 380 + 13 + 16 + 4));
  EXPECT_FALSE(window->IsVisible());
  EXPECT_EQ(Text("ran"), "-100:-2 -100:1 ");
  EXPECT_EQ(log.Text(), "");
}

TEST_F(DialogueClickTest, MissingPathAndMissingWindowLines) {
  AddDialogueNPC("Silent", 300, 300, nullptr);
  log.Clear();
  PressAndRelease(300, 300, 300, 300);
  EXPECT_EQ(log.Text(), "NPC was clicked but didn't have a dialogue path set.\n");
  EXPECT_EQ(entities->GetDialogueNPC(), nullptr);

  // A widget of another kind under the window's name is no dialogue window.
  GUIManager bare;
  gGUIManager = &bare;
  auto* impostor = new GUIWindow();
  impostor->SetName("DialogueManager");
  bare.GetTopLevel().AddTail("DialogueManager", impostor);
  log.Clear();
  PressAndRelease(100, 200, 100, 200);
  EXPECT_EQ(log.Text(),
            "FindGUIObject:  Failed, object DialogueManager not found\n"
            "Couldn't find Dialogue Manager\n");
  EXPECT_EQ(Text("ran"), "");
  EXPECT_EQ(entities->GetDialogueNPC(), nullptr);
  gGUIManager = gui.get();
}

// A dialogue script that changes the map destroys the NPC under its own click.
TEST_F(DialogueClickTest, ADialogueScriptThatClearsTheRegistry) {
  std::function<void()> clear = [this] { entities->Clear(); };
  // The registry's clear stands in for a map change; it runs from inside the script's call.
  lua_pushlightuserdata(State(), &clear);
  lua_pushcclosure(
      State(),
      [](lua_State* state) {
        (*static_cast<std::function<void()>*>(lua_touserdata(state, lua_upvalueindex(1))))();
        return 0;
      },
      1);
  lua_setglobal(State(), "ClearWorld");
  WriteScript("talk.lua", "ClearWorld() ran = ran .. GetLastChatResponse()\n");
  PressAndRelease(100, 200, 100, 200);
  EXPECT_EQ(Text("ran"), "-2");
  EXPECT_EQ(window->GetLastChatResponse(), -1);
  EXPECT_EQ(entities->GetDialogueNPC(), nullptr);
}

// The mouse is compared in world coordinates: through the environment window under it, scaled
// from the window to the camera's view, plus the view's corner.
TEST_F(DialogueClickTest, ClicksAreComparedInWorldCoordinates) {
  Camera* scrolled = cameras->AddCamera("Scrolled", 200, 50, 800, 600);
  scrolled->SetBoundaries(0, 0, 4000, 4000);
  scrolled->Recompute();
  cameras->SetActiveCamera(scrolled);
  ASSERT_EQ(scrolled->GetViewX(), 200);
  ASSERT_EQ(scrolled->GetViewY(), 50);
  npc->SetCentre(400, 250, 0);

  // No environment window: the screen stands in for one.
  gui->SetMousePosition(200, 200);
  EXPECT_EQ(opener.MouseInWorld().x, 400);
  EXPECT_EQ(opener.MouseInWorld().y, 250);
  PressAndRelease(200, 200, 200, 200);
  EXPECT_EQ(Text("ran"), "-100:-2 ");
  PressAndRelease(400, 250, 400, 250);  // the NPC's world position on the screen hits nothing
  EXPECT_EQ(Text("ran"), "-100:-2 ");

  // A window of half the view's size at (100, 50), inside a parent at (0, 0): two world pixels
  // to each of its pixels.
  auto* parent = Add<RecordingWidget>("Frame", nullptr, 0, 0, 800, 600);
  Add<GUIEnvironmentWindow>("EnvironmentWindow", parent, 100, 50, 400, 300);
  gui->SetMousePosition(200, 150);
  EXPECT_EQ(opener.MouseInWorld().x, 400);
  EXPECT_EQ(opener.MouseInWorld().y, 250);
  Run("ran = ''");
  PressAndRelease(200, 150, 204, 129);  // world (408, 208)
  EXPECT_EQ(Text("ran"), "-100:-2 ");
  PressAndRelease(195, 150, 195, 150);  // world (390, 250): just left of the rectangle
  EXPECT_EQ(Text("ran"), "-100:-2 ");
  // Beside the environment window the screen counts again.
  gui->SetMousePosition(600, 500);
  EXPECT_EQ(opener.MouseInWorld().x, 800);
  EXPECT_EQ(opener.MouseInWorld().y, 550);
}

}  // namespace
