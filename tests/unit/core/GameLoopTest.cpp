#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/DeferredCallList.h"
#include "core/EntityManager.h"
#include "core/GameLoop.h"
#include "core/Globals.h"
#include "core/Graveyard.h"
#include "core/RootEntity.h"
#include "core/script/ScriptCall.h"
#include "support/GlobalsFixture.h"
#include "support/LuaFixture.h"

namespace {

ALLEGRO_EVENT Event(ALLEGRO_EVENT_TYPE type) {
  ALLEGRO_EVENT event{};
  event.type = type;
  return event;
}

ALLEGRO_EVENT Mouse(ALLEGRO_EVENT_TYPE type, int x, int y) {
  ALLEGRO_EVENT event = Event(type);
  event.mouse.x = x;
  event.mouse.y = y;
  event.mouse.button = 3;
  return event;
}

// A key event carrying its key.
ALLEGRO_EVENT Key(ALLEGRO_EVENT_TYPE type, int keycode) {
  ALLEGRO_EVENT event = Event(type);
  event.keyboard.keycode = keycode;
  return event;
}

const ALLEGRO_EVENT kTimer = Event(ALLEGRO_EVENT_TIMER);
const ALLEGRO_EVENT kClose = Event(ALLEGRO_EVENT_DISPLAY_CLOSE);

// Events arrive in batches: the next batch lands in the queue only when the loop waits on an
// empty queue, as when Allegro posts them while the loop is busy.
class ScriptedEvents : public EventSource {
 public:
  explicit ScriptedEvents(std::vector<std::vector<ALLEGRO_EVENT>> batches)
      : batches(batches.begin(), batches.end()) {}

  void Wait(ALLEGRO_EVENT& event) override {
    if (queue.empty()) {
      if (batches.empty()) {
        ADD_FAILURE() << "the loop waited past the last event";
        event = kClose;
        return;
      }
      queue.assign(batches.front().begin(), batches.front().end());
      batches.pop_front();
    }
    event = queue.front();
    queue.pop_front();
  }
  bool IsEmpty() override { return queue.empty(); }

  size_t Unhandled() const {
    size_t count = queue.size();
    for (const auto& batch : batches) count += batch.size();
    return count;
  }

 private:
  std::deque<std::vector<ALLEGRO_EVENT>> batches;
  std::deque<ALLEGRO_EVENT> queue;
};

// Writes what reaches it into the journal. The GUI's stored mouse position may lie between
// pixels.
class RecordingHandlers : public LoopHandlers {
 public:
  explicit RecordingHandlers(std::vector<std::string>& journal) : journal(journal) {}

  void BeginPass() override { ++passes; }
  void ReadKeyboard() override { journal.push_back("read keyboard"); }
  void UpdateKeys() override { journal.push_back("update keys"); }
  void FocusedInput(int32_t inputEvent, int32_t keycode) override {
    journal.push_back("focused input " + std::to_string(inputEvent) + " key " +
                      std::to_string(keycode));
  }
  void SetMousePosition(float x, float y) override {
    mouseX = x;
    mouseY = y;
    journal.push_back("mouse at " + std::to_string(x) + " " + std::to_string(y));
  }
  bool DispatchMouse(int32_t mode) override {
    journal.push_back("GUI mouse " + std::to_string(mode));
    return guiTakes;
  }
  float GetMouseX() override { return mouseX; }
  float GetMouseY() override { return mouseY; }
  void MapEvent(int32_t mode, int32_t x, int32_t y) override {
    journal.push_back("map " + std::to_string(mode) + " " + std::to_string(x) + " " +
                      std::to_string(y));
  }
  void DrawFrame() override { journal.push_back("frame"); }

  std::vector<std::string>& journal;
  int passes = 0;
  bool guiTakes = false;
  float mouseX = 0.0f;
  float mouseY = 0.0f;
};

class GameLoopTest : public GlobalsFixture {
 protected:
  std::vector<TickStage> Stages() {
    return {
        {"first", [this](const TickTime&) { journal.push_back("tick first"); }},
        {"second", [this](const TickTime&) { journal.push_back("tick second"); }},
    };
  }

  std::vector<std::string> journal;
  RecordingHandlers handlers{journal};
};

TEST_F(GameLoopTest, GameLoop_ThreeQueuedTimerEventsGiveThreeTicksAndOneFrame) {
  ScriptedEvents events({{kTimer, kTimer, kTimer}, {kClose}});
  GameLoop loop(events, handlers, Stages());
  loop.Run();
  EXPECT_EQ(journal,
            (std::vector<std::string>{"read keyboard", "tick first", "tick second", "tick first",
                                      "tick second", "tick first", "tick second", "frame"}));
  EXPECT_TRUE(gQuit);
  EXPECT_EQ(handlers.passes, 4);
}

TEST_F(GameLoopTest, GameLoop_CloseEndsTheLoopAfterTheCurrentEvent) {
  ScriptedEvents events({{kTimer}, {kClose, kTimer, kTimer}});
  GameLoop loop(events, handlers, Stages());
  loop.Run();
  EXPECT_EQ(journal,
            (std::vector<std::string>{"read keyboard", "tick first", "tick second", "frame"}));
  EXPECT_EQ(events.Unhandled(), 2u);
}

// The "Menu" action sets the quit flag from inside a tick: the rest of that tick still runs.
TEST_F(GameLoopTest, GameLoop_QuitFromAStageEndsTheLoopAfterThatTick) {
  ScriptedEvents events({{kTimer, kTimer}});
  std::vector<TickStage> stages = Stages();
  stages.insert(stages.begin(), {"quit", [](const TickTime&) { gQuit = true; }});
  GameLoop loop(events, handlers, stages);
  loop.Run();
  EXPECT_EQ(journal, (std::vector<std::string>{"read keyboard", "tick first", "tick second"}));
  EXPECT_EQ(events.Unhandled(), 1u);
}

TEST_F(GameLoopTest, GameLoop_DispatchesEachEventTypeToItsHandlers) {
  struct Case {
    const char* what;
    ALLEGRO_EVENT event;
    bool guiTakes;
    std::vector<std::string> reached;
  };
  const Case cases[] = {
      {"key down",
       Key(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_B),
       false,
       {"read keyboard", "update keys", "focused input 2 key 2"}},
      {"key up",
       Key(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_ENTER),
       false,
       {"read keyboard", "update keys", "focused input 3 key 67"}},
      {"key char", Event(ALLEGRO_EVENT_KEY_CHAR), false, {}},
      {"mouse axes",
       Mouse(ALLEGRO_EVENT_MOUSE_AXES, 40, 30),
       false,
       {"mouse at 40.000000 30.000000"}},
      {"mouse enters",
       Mouse(ALLEGRO_EVENT_MOUSE_ENTER_DISPLAY, 1, 2),
       false,
       {"mouse at 1.000000 2.000000"}},
      // Not taken by the GUI: the map gets the GUI's stored position, truncated toward zero, not
      // the event's.
      {"press not taken",
       Mouse(ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 100, 100),
       false,
       {"GUI mouse 0", "map 0 12 -3"}},
      {"release not taken",
       Mouse(ALLEGRO_EVENT_MOUSE_BUTTON_UP, 100, 100),
       false,
       {"GUI mouse 1", "map 1 12 -3"}},
      {"press taken", Mouse(ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 100, 100), true, {"GUI mouse 0"}},
      {"release taken", Mouse(ALLEGRO_EVENT_MOUSE_BUTTON_UP, 100, 100), true, {"GUI mouse 1"}},
      {"mouse leaves", Mouse(ALLEGRO_EVENT_MOUSE_LEAVE_DISPLAY, 1, 2), false, {}},
      {"display resized", Event(ALLEGRO_EVENT_DISPLAY_RESIZE), false, {}},
  };
  ScriptedEvents unused({});
  GameLoop loop(unused, handlers, Stages());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    journal.clear();
    handlers.guiTakes = c.guiTakes;
    handlers.mouseX = 12.9f;
    handlers.mouseY = -3.7f;
    loop.Dispatch(c.event, 0.0);
    EXPECT_EQ(journal, c.reached);
    EXPECT_FALSE(gQuit);
  }
}

TEST_F(GameLoopTest, GameLoop_TickBudgetCountsFromWhenTheEventLeftTheQueue) {
  double now = 100.0;
  const ClockSource previous = SetClockSource([&now] { return now; });
  std::vector<double> budgets;
  ScriptedEvents events({{kTimer}, {kClose}});
  GameLoop loop(events, handlers, {{"deferred", [&](const TickTime& time) {
                                      now += 0.004;
                                      budgets.push_back(time.Budget());
                                    }}});
  loop.Run();
  SetClockSource(previous);
  ASSERT_EQ(budgets.size(), 1u);
  EXPECT_NEAR(budgets[0], 0.01666 - 0.004, 1e-9);
}

// A script run from a stage or a handler may retire an object that a later stage or handler of
// the same event still reaches: it is destroyed only when the event has been handled.
TEST_F(GameLoopTest, GameLoop_WhatAnEventRetiresLivesUntilTheEventIsHandled) {
  struct Tracked {
    explicit Tracked(std::vector<std::string>& journal) : journal(journal) {}
    ~Tracked() { journal.push_back("destroyed"); }
    std::vector<std::string>& journal;
  };
  class BuryingHandlers : public RecordingHandlers {
   public:
    using RecordingHandlers::RecordingHandlers;
    void UpdateKeys() override { ProcessGraveyard().Bury(new Tracked(journal)); }
    void FocusedInput(int32_t, int32_t) override { journal.push_back("focused input"); }
  };
  BuryingHandlers burying(journal);
  Tracked* tracked = nullptr;
  std::vector<TickStage> stages = {
      {"retire", [&](const TickTime&) { ProcessGraveyard().Bury(tracked = new Tracked(journal)); }},
      {"reach",
       [&](const TickTime&) {
         journal.push_back(ProcessGraveyard().IsRetired(tracked) ? "retired" : "gone");
       }},
  };
  ScriptedEvents events({});
  GameLoop loop(events, burying, stages);
  loop.Dispatch(kTimer, 0.0);
  loop.Dispatch(Event(ALLEGRO_EVENT_KEY_DOWN), 0.0);
  EXPECT_EQ(journal, (std::vector<std::string>{"retired", "destroyed", "read keyboard",
                                               "focused input", "destroyed"}));
  EXPECT_FALSE(ProcessGraveyard().IsRetired(tracked));
}

class GameLoopScriptTest : public LuaFixture {
 protected:
  std::vector<std::string> journal;
  RecordingHandlers handlers{journal};
};

// An NPC that writes what happens to it into the journal; its hook runs inside its update.
struct JournalNpc : RootEntity {
  JournalNpc(std::vector<std::string>& journal, std::string name)
      : journal(journal), name(std::move(name)) {}
  ~JournalNpc() override { journal.push_back("~" + name); }
  void Update() override {
    journal.push_back("update " + name);
    if (onUpdate) onUpdate();
  }

  std::vector<std::string>& journal;
  std::string name;
  std::function<void()> onUpdate;
};

int Test_ClearEntities(lua_State*) {
  gEntityManager->Clear();
  return 0;
}
const ScriptFunction kHookFunctions[] = {ScriptEntry<Test_ClearEntities>("Test_ClearEntities")};

// A script run from a walk other than the entity registry's (here a deferred call, as a level
// loading part by part runs them) clears the registry that the same tick updates before and draws
// after. The entities are unlinked at once and destroyed only when the tick is over; an NPC that
// an update registers is updated in the same walk.
TEST_F(GameLoopScriptTest, GameLoop_ScriptFromADeferredCallClearsTheEntityRegistryMidTick) {
  EntityManager registry;
  gEntityManager = &registry;
  RegisterScriptFunctions(State(), kHookFunctions);
  WriteScript("clear.lua", "Test_ClearEntities()");

  auto* parent = new JournalNpc(journal, "parent");
  JournalNpc* child = nullptr;
  parent->onUpdate = [&] {
    if (child == nullptr)
      registry.RegisterPointer("NPC", "child", child = new JournalNpc(journal, "child"));
  };
  registry.RegisterPointer("NPC", "parent", parent);

  std::function<void()> deferredWork = [&] {
    ASSERT_TRUE(lua.ExecuteScript("clear.lua", 0));
    const Graveyard& graveyard = ProcessGraveyard();
    EXPECT_EQ(registry.All().GetCount(), 0);
    EXPECT_TRUE(graveyard.IsRetired(parent) && graveyard.IsRetired(child));
    journal.push_back("script cleared " + parent->name + " and " + child->name);
  };
  DeferredCallList deferred;
  deferred.Push(
      0.0f, [](void* work, int32_t, int32_t) { (*static_cast<std::function<void()>*>(work))(); },
      &deferredWork, 0, 0);

  const std::vector<TickStage> stages = {
      {"entities", [&](const TickTime&) { registry.Update(); }},
      {"deferred", [&](const TickTime&) { deferred.Run(1.0, true); }},
      {"draw",
       [&](const TickTime&) {
         registry.Draw(nullptr, nullptr);
         journal.push_back("drawn");
       }},
  };
  ScriptedEvents events({});
  GameLoop loop(events, handlers, stages);
  loop.Dispatch(kTimer, WallClock());

  EXPECT_EQ(journal, (std::vector<std::string>{"update parent", "update child",
                                               "script cleared parent and child", "drawn",
                                               "~parent", "~child"}));
  EXPECT_EQ(log.Text(), "");
}

// A kept script's file is looked at by its first run in a tick: an edit from outside during a tick
// is seen from the next tick on.
TEST_F(GameLoopScriptTest, GameLoop_AScriptEditedDuringATickRunsItsNewTextFromTheNextTick) {
  const auto write = [&](const char* code) {
    std::filesystem::last_write_time(
        dir.Write("edit.lua", code),
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  };
  const auto run = [&] {
    lua.ExecuteScript("edit.lua", 0);
    journal.push_back("value " + std::to_string(static_cast<int>(Number("value"))));
  };
  write("value = 1");
  const std::vector<TickStage> stages = {{"scripts", [&](const TickTime&) {
                                            run();
                                            write("value = 22");
                                            run();
                                          }}};
  ScriptedEvents events({});
  GameLoop loop(events, handlers, stages);
  loop.Dispatch(kTimer, WallClock());
  loop.Dispatch(kTimer, WallClock());
  EXPECT_EQ(journal, (std::vector<std::string>{"value 1", "value 1", "value 22", "value 22"}));
  EXPECT_EQ(log.Text(), "");
}

}  // namespace
