#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/DeferredCallList.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/KeyboardManager.h"
#include "core/RootEntity.h"
#include "core/TimerManager.h"
#include "gui/GUIInputTextBox.h"
#include "gui/GUIManager.h"
#include "program/ProgramLoop.h"
#include "support/GUIFixture.h"
#include "support/GlobalsFixture.h"
#include "support/KeyState.h"

namespace {

// The program's tick runs with the managers that exist; each records what it can see of the
// stages before it.
class ProgramLoopTest : public GlobalsFixture {
 protected:
  ProgramLoopTest() {
    gKeyboardManager = &keyboard;
    gTimerManager = &timers;
    gEntityManager = &entities;
    gDeferredCallList = &calls;
    previousClock = SetClockSource([this] { return now; });
  }
  ~ProgramLoopTest() override { SetClockSource(previousClock); }

  void RunTick() {
    for (const TickStage& stage : ProgramTickStages()) stage.run(TickTime{takenAt});
  }

  KeyboardManager keyboard;
  TimerManager timers;
  EntityManager entities;
  DeferredCallList calls;
  double now = 50.0;
  double takenAt = 50.0;
  ClockSource previousClock;
  std::vector<std::string> journal;
};

class WatchingEntity : public RootEntity {
 public:
  explicit WatchingEntity(std::vector<std::string>& journal) : journal(journal) {}
  void Update() override {
    journal.push_back("entity sees Jump down " +
                      std::to_string(gKeyboardManager->FindAction("Jump")->down) + ", timer " +
                      std::to_string(gTimerManager->GetTimer("t")));
  }
  std::vector<std::string>& journal;
};

void RecordCall(void* user, int32_t a, int32_t) {
  static_cast<std::vector<std::string>*>(user)->push_back("deferred call " + std::to_string(a));
}

TEST_F(ProgramLoopTest, ProgramTick_RunsKeysTimersEntitiesThenDeferredCalls) {
  gKeyboardState = KeysHeld({ALLEGRO_KEY_SPACE});
  timers.AddTimer("t", 0);
  entities.RegisterPointer("NPC", "watcher", new WatchingEntity(journal));
  calls.Push(0.0f, RecordCall, &journal, 1, 0);
  calls.Push(0.0f, RecordCall, &journal, 2, 0);

  RunTick();
  EXPECT_EQ(journal, (std::vector<std::string>{"entity sees Jump down 1, timer 1",
                                               "deferred call 1", "deferred call 2"}));
}

// At least one deferred call runs on a tick whose time is already spent.
TEST_F(ProgramLoopTest, ProgramTick_RunsOneDeferredCallWhenTheTickIsSpent) {
  calls.Push(0.0f, RecordCall, &journal, 1, 0);
  calls.Push(0.0f, RecordCall, &journal, 2, 0);
  now = takenAt + 0.02;
  RunTick();
  EXPECT_EQ(journal, (std::vector<std::string>{"deferred call 1"}));
  RunTick();
  EXPECT_EQ(journal, (std::vector<std::string>{"deferred call 1", "deferred call 2"}));
}

TEST_F(ProgramLoopTest, ProgramTick_EscapeHeldQuitsAtTheNextTick) {
  gKeyboardState = KeysHeld({ALLEGRO_KEY_ESCAPE});
  RunTick();
  EXPECT_FALSE(gQuit);
  gKeyboardState = KeysHeld({});
  RunTick();
  EXPECT_TRUE(gQuit);
}

TEST_F(ProgramLoopTest, ProgramTick_SkipsManagersThatDoNotExist) {
  timers.AddTimer("t", 0);
  gKeyboardManager = nullptr;
  gEntityManager = nullptr;
  gDeferredCallList = nullptr;
  RunTick();
  EXPECT_EQ(timers.GetTimer("t"), 1);
}

TEST_F(ProgramLoopTest, ProgramHandlers_KeyEventsReachTheKeyboardManager) {
  gKeyboardState = KeysHeld({ALLEGRO_KEY_B});
  ProgramHandlers handlers;
  handlers.UpdateKeys();
  EXPECT_EQ(keyboard.FindKey("B")->down, 1);
  EXPECT_EQ(keyboard.FindAction("Left")->down, 0);
  EXPECT_FALSE(handlers.DispatchMouse(0));
}

// The mouse position, presses, ticks and key events reach the GUI, which answers whether a widget
// took the press (one it did not take goes on to the map).
TEST_F(ProgramLoopTest, ProgramHandlers_MouseTicksAndKeysReachTheGUI) {
  StartAllegroHeadless();
  GUIManager gui;
  gGUIManager = &gui;
  ASSERT_TRUE(gui.SetActiveObjectList("Base"));
  auto* widget = new RecordingWidget();
  gui.AddToActiveList("W", widget);
  widget->SetDimensions(10, 10, 20, 20);
  widget->answer = true;
  gui.SetFocusedInputBox(widget);

  ProgramHandlers handlers;
  handlers.SetMousePosition(15.5f, 12.0f);
  EXPECT_EQ(handlers.GetMouseX(), 15.5f);
  EXPECT_EQ(handlers.GetMouseY(), 12.0f);
  EXPECT_TRUE(handlers.DispatchMouse(0));
  handlers.SetMousePosition(100.0f, 100.0f);
  widget->answer = false;
  EXPECT_FALSE(handlers.DispatchMouse(1));
  RunTick();
  handlers.FocusedInput(LoopHandlers::kKeyDownInput, 1);
  using Heard = RecordingWidget::Heard;
  EXPECT_EQ(widget->heard, (std::vector<Heard>{{GUIBaseObject::kPress, 15, 12},
                                               {GUIBaseObject::kRelease, 100, 100},
                                               {GUIBaseObject::kTick, 100, 100},
                                               {GUIBaseObject::kKeyDown, 0, 0}}));
  gGUIManager = nullptr;
}

// While an input box has the keyboard, the keys it types with are its own: the actions bound to
// them see them as not held. Arrows, Shift and Escape keep their meaning; once the box gives the
// keyboard up (or is hidden) the same keys act again.
TEST_F(ProgramLoopTest, ProgramTick_KeysAFocusedInputBoxTakesAreNotHeldForThePlayer) {
  StartAllegroHeadless();
  GUIManager gui;
  gGUIManager = &gui;
  ASSERT_TRUE(gui.SetActiveObjectList("Base"));
  auto* box = new GUIInputTextBox();
  gui.AddToActiveList("Box", box);
  box->SetDimensions(0, 0, 100, 20);
  gui.SetFocusedInputBox(box);

  struct Case {
    int key;
    const char* action;
    uint8_t downWhileTyping;
  };
  const Case cases[] = {
      {ALLEGRO_KEY_D, "Right", 0},
      {ALLEGRO_KEY_W, "Up", 0},
      {ALLEGRO_KEY_SPACE, "Jump", 0},
      {ALLEGRO_KEY_Z, "Buck", 0},
      {ALLEGRO_KEY_1, "Weapon1", 0},
      {ALLEGRO_KEY_RIGHT, "Right", 1},
      {ALLEGRO_KEY_UP, "Up", 1},
      {ALLEGRO_KEY_LSHIFT, "RunHold", 1},
      {ALLEGRO_KEY_CAPSLOCK, "RunToggle", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    gKeyboardState = KeysHeld({c.key});
    gui.SetFocusedInputBox(box);
    RunTick();
    EXPECT_EQ(keyboard.FindAction(c.action)->down, c.downWhileTyping);
    gui.SetFocusedInputBox(nullptr);
    RunTick();
    EXPECT_EQ(keyboard.FindAction(c.action)->down, 1);
    gKeyboardState = KeysHeld({});
    RunTick();
  }

  // Backspace, Delete, Tab and Enter are the box's too, when bound to an action.
  for (int key : {ALLEGRO_KEY_BACKSPACE, ALLEGRO_KEY_DELETE, ALLEGRO_KEY_TAB, ALLEGRO_KEY_ENTER}) {
    keyboard.FindAction("Drop")->key1 = key;
    gKeyboardState = KeysHeld({key});
    gui.SetFocusedInputBox(box);
    RunTick();
    EXPECT_EQ(keyboard.FindAction("Drop")->down, 0) << key;
  }

  // A hidden box has no keyboard.
  gKeyboardState = KeysHeld({ALLEGRO_KEY_D});
  box->Hide();
  RunTick();
  EXPECT_EQ(keyboard.FindAction("Right")->down, 1);
  box->Show();

  gKeyboardState = KeysHeld({ALLEGRO_KEY_ESCAPE});
  RunTick();
  RunTick();
  EXPECT_TRUE(gQuit);
  gGUIManager = nullptr;
}

TEST_F(ProgramLoopTest, EveryPassStartsTheQuadDepthAgain) {
  gGLQuadDepth = 12.5f;
  ProgramHandlers handlers;
  handlers.BeginPass();
  EXPECT_EQ(gGLQuadDepth, 0.0f);
}

}  // namespace
