#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "WorldFixture.h"
#include "core/Graveyard.h"
#include "support/PlayerStandIn.h"
#include "world/PropertyTrigger.h"
#include "world/RadialTrigger.h"
#include "world/RectangularTrigger.h"
#include "world/Trigger.h"
#include "world/TriggerManager.h"

namespace {

// The trigger manager as start-up makes it, with a player box the test moves.
class TriggerTest : public WorldFixture {
 protected:
  TriggerTest() {
    gTriggerManager = &triggers;
    player.PlaceBox({-1000, -1000, -990, -990});
    gWorldPlayer = &player;
    // Each run of count.lua adds one to runs[code].
    WriteScript("count.lua",
                "runs = runs or {} local c = GetScriptCode() runs[c] = (runs[c] or 0) + 1\n");
    log.Clear();
  }

  // How often count.lua has run with that code.
  int Runs(int code) {
    Run("n = runs and runs[" + std::to_string(code) + "] or 0");
    return static_cast<int>(Number("n"));
  }
  void PlaceBox(int32_t left, int32_t top) { player.PlaceBox({left, top, left + 10, top + 10}); }
  void Tick() { triggers.Update(0.0f); }

  TriggerManager triggers;
  PlayerStandIn player;
};

TEST_F(TriggerTest, RectanglesOverlapWithTheirEdgesInEitherOrder) {
  struct Case {
    RectRecord rect;
    RectRecord box;
    bool overlaps;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {10, 10, 20, 20}, true},  // one corner shared
      {{10, 10, 0, 0}, {10, 10, 20, 20}, true},  // corners given the other way
      {{10, 0, 0, 10}, {-5, 3, 0, 4}, true},     // an edge shared
      {{0, 0, 10, 10}, {11, 0, 20, 10}, false},  // one pixel apart
      {{0, 0, 10, 10}, {0, 11, 10, 20}, false}, {{0, 0, 10, 10}, {2, 2, 3, 3}, true},  // inside
      {{0, 0, 10, 10}, {-5, -5, 20, 20}, true},                                        // around
  };
  for (const Case& c : cases) {
    const RectangularTrigger trigger("t", c.rect.left, c.rect.top, c.rect.right, c.rect.bottom);
    EXPECT_EQ(trigger.Overlaps(c.box.left, c.box.top, c.box.right, c.box.bottom), c.overlaps)
        << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom
        << " against " << c.box.left << "," << c.box.top;
  }
}

// Inside, inside, outside, inside, inside: once fires on the first tick and is gone, no-repeat once
// per entry, neither on every tick inside.
TEST_F(TriggerTest, OnceNoRepeatAndNeitherOverSeveralTicks) {
  ASSERT_TRUE(
      Run("AddRectangularTrigger('once', 0, 0, 100, 100)"
          " SetTriggerProperties('count.lua', 1, 0, 1, 0)"
          " AddRectangularTrigger('entry', 0, 0, 100, 100)"
          " SetTriggerProperties('count.lua', 2, 0, 0, 1)"
          " AddRectangularTrigger('every', 0, 0, 100, 100)"
          " SetTriggerProperties('count.lua', 3, 0, 0, 0)"
          " SetActiveTrigger('once')"));
  ASSERT_EQ(triggers.GetActiveTrigger(), triggers.GetAt(0));
  for (bool inside : {true, true, false, true, true}) {
    PlaceBox(inside ? 50 : 500, 50);
    Tick();
  }
  EXPECT_EQ(Runs(1), 1);
  EXPECT_EQ(Runs(2), 2);
  EXPECT_EQ(Runs(3), 4);
  EXPECT_EQ(triggers.GetCount(), 2);
  // The once trigger is gone, and with it the active slot that named it.
  EXPECT_EQ(triggers.GetActiveTrigger(), nullptr);
  log.Clear();
  ASSERT_TRUE(Run("SetTriggerProperties('~NOEDIT', -1000, -1000, -1000, -1000)"));
  EXPECT_EQ(log.Text(), "LUA Warning:  ActiveTrigger is null.  Something is wrong.\n");
  ASSERT_TRUE(Run("r = SetActiveTrigger('once')"));
  EXPECT_EQ(Number("r"), 1);
  EXPECT_EQ(triggers.GetActiveTrigger(), nullptr);
}

TEST_F(TriggerTest, ANewTriggerRunsNothingUntilItIsSetUp) {
  ASSERT_TRUE(Run("r = AddRectangularTrigger('plain', 0, 0, 10, 10)"));
  EXPECT_EQ(Number("r"), 1);
  EXPECT_EQ(log.Text(), "Set to Nothing -1 0.000000 0 0\n");
  PlaceBox(0, 0);
  log.Clear();
  Tick();
  EXPECT_NE(log.Text().find("Lua Error during Loading: cannot open Nothing"), std::string::npos)
      << log.Text();

  // The sentinels keep every value and log them.
  ASSERT_TRUE(Run("SetTriggerProperties('count.lua', 7, 2.5, 3, 0)"));
  log.Clear();
  ASSERT_TRUE(Run("SetTriggerProperties('~NOEDIT', -1000, -1000, -1000, -1000)"));
  EXPECT_EQ(log.Text(), "Set to count.lua 7 2.500000 1 0\n");
}

TEST_F(TriggerTest, ScriptFunctionFailuresAndResults) {
  ExpectFailures({
      {"SetActiveTrigger()", "Hook_SetActiveTrigger:  Failed, invalid argument list\n"},
      {"AddRectangularTrigger('r', 1, 2, 3)",
       "Hook_AddRectangularTrigger:  Failed, invalid argument list\n"},
      {"AddRadialTrigger(nil, 1, 2, 3)", "Hook_AddRadialTrigger:  Failed, invalid argument list\n"},
      {"AddPropertyTrigger()", "AddPropertyTrigger:  Failed, invalid argument list\n"},
      {"SetTriggerProperties('a', 1, 2, 3)",
       "Hook_SetTriggerProperties:  Failed, invalid argument list\n"},
      {"TriggerWatchProperty('a')", "TriggerWatchProperty:  Failed, invalid argument list\n"},
      {"TriggerWatchProperty('a', 1, 2, 3)",
       "TriggerWatchProperty:  Failed, invalid argument list\n"},
      {"TriggerAddEquivalency('a', 1)", "TriggerAddEquivalency:  Failed, invalid argument list\n"},
      // No trigger is active yet: a warning, and still a result.
  });
  log.Clear();
  ASSERT_TRUE(Run("r = SetTriggerProperties('a', 1, 2, 3, 4)"));
  EXPECT_EQ(log.Text(), "LUA Warning:  ActiveTrigger is null.  Something is wrong.\n");
  EXPECT_EQ(Number("r"), 1);

  gTriggerManager = nullptr;
  ExpectFailures({
      {"AddPropertyTrigger('p')", "AddPropertyTrigger:  Failed, manager not created\n"},
      {"TriggerClearEquivalencies()", "TriggerClearEquivalencies:  Failed, manager not created\n"},
  });
}

TEST_F(TriggerTest, TwoOfOneNameBothRunAndTheFirstIsReached) {
  ASSERT_TRUE(
      Run("AddRectangularTrigger('twin', 0, 0, 10, 10)"
          " SetTriggerProperties('count.lua', 1, 0, 0, 0)"
          " AddRectangularTrigger('twin', 0, 0, 10, 10)"
          " SetTriggerProperties('count.lua', 2, 0, 0, 0)"
          " SetActiveTrigger('twin')"));
  EXPECT_EQ(triggers.GetActiveTrigger(), triggers.GetAt(0));
  PlaceBox(5, 5);
  Tick();
  EXPECT_EQ(Runs(1), 1);
  EXPECT_EQ(Runs(2), 1);
}

TEST_F(TriggerTest, RadialTriggersNeverFireAndTheDelayHoldsNothingBack) {
  ASSERT_TRUE(
      Run("AddRadialTrigger('round', 5, 5, 100)"
          " SetTriggerProperties('count.lua', 1, 0, 0, 0)"
          " AddRectangularTrigger('late', 0, 0, 10, 10)"
          " SetTriggerProperties('count.lua', 2, 30, 0, 0)"));
  PlaceBox(0, 0);
  for (int tick = 0; tick < 3; ++tick) triggers.Update(1.0f);
  EXPECT_EQ(Runs(1), 0);
  EXPECT_EQ(Runs(2), 3);
  EXPECT_FALSE(triggers.GetAt(1)->IsReady());
  EXPECT_FLOAT_EQ(triggers.GetAt(1)->GetDelay(), 27.0f);
  // Listed all the same: 16 pixels of lines for the radial one, 48 for the rectangle.
  int32_t line = 0;
  triggers.GetAt(0)->DebugDraw(nullptr, line, 0);
  EXPECT_EQ(line, 16);
  triggers.GetAt(1)->DebugDraw(nullptr, line, 1);
  EXPECT_EQ(line, 64);
}

// A trigger's script adds a trigger (checked in the same pass), changes the map and resets its own
// properties; the walk goes on and nothing is touched after it is gone.
TEST_F(TriggerTest, TheWalkSurvivesWhatAScriptDoes) {
  MakeMapManager();
  WriteScript("busy.lua",
              "AddRectangularTrigger('added', 0, 0, 10, 10)"
              " SetTriggerProperties('count.lua', 5, 0, 1, 0)"
              " MapM_TransitionMap('MAPNONE')"
              " SetActiveTrigger('first') SetTriggerProperties('~NOEDIT', -1000, -1000, 0, 1)\n");
  ASSERT_TRUE(
      Run("AddRectangularTrigger('first', 0, 0, 10, 10)"
          " SetTriggerProperties('busy.lua', 1, 0, 1, 0)"
          " AddRectangularTrigger('after', 0, 0, 10, 10)"
          " SetTriggerProperties('count.lua', 2, 0, 1, 0)"));
  PlaceBox(0, 0);
  Tick();
  EXPECT_EQ(Runs(2), 1);
  EXPECT_EQ(Runs(5), 1);
  EXPECT_EQ(LoadedKind(), Kind::ClipMap);
  // "first" turned itself into a no-repeat trigger: it stays, disarmed.
  ASSERT_EQ(triggers.GetCount(), 1);
  EXPECT_EQ(triggers.GetAt(0)->GetName(), "first");
  EXPECT_FALSE(triggers.GetAt(0)->IsArmed());
}

TEST_F(TriggerTest, ATriggerRemovedWhileItsScriptRunsIsDestroyedAfterTheWalk) {
  WriteScript("remove.lua", "removed = true\n");
  ASSERT_TRUE(
      Run("AddRectangularTrigger('gone', 0, 0, 10, 10)"
          " SetTriggerProperties('remove.lua', 1, 0, 1, 0)"));
  PlaceBox(0, 0);
  // What a script cannot do yet, the program can: remove triggers during the walk.
  Trigger* gone = triggers.GetAt(0);
  ASSERT_EQ(triggers.GetActiveTrigger(), gone);
  player.onRead = [&] { triggers.ClearTriggers(); };
  Tick();
  EXPECT_EQ(triggers.GetCount(), 0);
  EXPECT_EQ(triggers.GetActiveTrigger(), nullptr);
  EXPECT_FALSE(ProcessGraveyard().IsRetired(gone));
}

TEST_F(TriggerTest, ComparisonTable) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    int32_t operation;
    float value, operand;
    bool holds;
  };
  const Case cases[] = {
      {0, 1, 2, true},      {0, nan, 2, true},  {1, 2, 2, true},   {1, 2, 3, false},
      {2, 1, 2, true},      {2, 2, 2, false},   {3, 2, 2, true},   {3, 3, 2, false},
      {4, 3, 2, true},      {4, 2, 2, false},   {5, 2, 2, true},   {5, 1, 2, false},
      {6, 1, 2, true},      {6, 2, 2, false},   {6, nan, 2, true}, {6, 2, nan, true},
      {1, nan, nan, false}, {5, nan, 2, false}, {9, 2, 2, false},  {-1, 2, 2, false},
      {7, 0, 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ((TriggerComparison{c.operation, c.operand}.Holds(c.value)), c.holds)
        << c.operation << " " << c.value << " " << c.operand;
  }
}

// Texts compare as their first character's code, a signed byte.
TEST_F(TriggerTest, TextsCompareAsTheirFirstCharacter) {
  struct Holder {
    std::string text;
    Lifetime lifetime;
  } holder;
  PropertyTrigger trigger("t");
  trigger.Watch(PropertyRef::Text(holder.text, holder.lifetime.Token()));
  ASSERT_EQ(trigger.GetWatchedKind(), PropertyTrigger::kWatchesText);
  struct Case {
    std::string text;
    float code;
  };
  for (const Case& c : {Case{"Apple", 65}, Case{"", 0}, Case{"\x80z", -128}, Case{"\xff", -1}}) {
    holder.text = c.text;
    trigger.ClearComparisons();
    trigger.AddComparison("code", 1, c.code);
    EXPECT_TRUE(trigger.Check()) << c.code;
  }
}

TEST_F(TriggerTest, APropertyTriggerFiresWhenEveryComparisonHolds) {
  ASSERT_TRUE(
      Run("AddPropertyTrigger('offset')"
          " SetTriggerProperties('count.lua', 1, 0, 0, 1)"
          " TriggerAddEquivalency('low', 5, 3)"
          " TriggerAddEquivalency('low', 2, 6)"));  // same label: both are tested
  // Nothing watched yet: it never fires, whatever the comparisons.
  Tick();
  EXPECT_EQ(Runs(1), 0);
  ASSERT_TRUE(Run("TriggerWatchProperty('BackgroundManager', 'Base', 'FixedOffsetX')"));
  ASSERT_EQ(triggers.GetActivePropertyTrigger()->GetWatchedKind(),
            PropertyTrigger::kWatchesInteger);
  for (int32_t value : {0, 3, 4, 6, 5, 5}) {
    scenery->SetFixedOffset(value, 0);
    Tick();
  }
  // Inside [3, 6) at 3 and again at 5 after leaving: twice, as no-repeat fires once per entry.
  EXPECT_EQ(Runs(1), 2);

  // Modify, remove and clear act by label on the active property trigger.
  ASSERT_TRUE(Run("TriggerModifyEquivalency('low', 1, 2)"));
  scenery->SetFixedOffset(7, 0);
  Tick();
  scenery->SetFixedOffset(2, 0);
  Tick();
  EXPECT_EQ(Runs(1), 3);
  ASSERT_TRUE(
      Run("TriggerRemoveEquivalency('low') TriggerRemoveEquivalency('nope')"
          " TriggerRemoveEquivalency('low')"));
  EXPECT_EQ(triggers.GetActivePropertyTrigger()->GetComparisonCount(), 0);
  // Clearing takes no argument: any argument list leaves the comparisons.
  ASSERT_TRUE(
      Run("TriggerAddEquivalency('x', 1, 1) TriggerClearEquivalencies(1)"
          " TriggerClearEquivalencies('x', 2) TriggerClearEquivalencies(nil)"));
  EXPECT_EQ(triggers.GetActivePropertyTrigger()->GetComparisonCount(), 1);
  ASSERT_TRUE(Run("TriggerClearEquivalencies()"));
  EXPECT_EQ(triggers.GetActivePropertyTrigger()->GetComparisonCount(), 0);

  // The watched owner goes away: the trigger reads nothing and stays quiet.
  ASSERT_TRUE(Run("TriggerAddEquivalency('never', 9, 0) TriggerClearEquivalencies()"));
  gBackgroundManager = nullptr;
  scenery.reset();
  Tick();
  Tick();
  EXPECT_EQ(Runs(1), 3);
  EXPECT_FALSE(triggers.GetActivePropertyTrigger()->Check());
}

TEST_F(TriggerTest, PropertyFunctionsLeaveOtherTriggersAloneSilently) {
  ASSERT_TRUE(Run("AddRectangularTrigger('r', 0, 0, 1, 1)"));
  log.Clear();
  ASSERT_TRUE(
      Run("TriggerAddEquivalency('a', 1, 2) TriggerWatchProperty('a', 1)"
          " TriggerWatchProperty('BackgroundManager', 'Base', 'FixedOffsetX')"
          " TriggerModifyEquivalency('a', 1, 2) TriggerRemoveEquivalency('a')"
          " TriggerClearEquivalencies()"));
  EXPECT_EQ(log.Text(), "");
  // A property of another type leaves nothing watched.
  ASSERT_TRUE(
      Run("AddPropertyTrigger('p') TriggerWatchProperty('BackgroundManager', 'Base', "
          "'Missing')"));
  EXPECT_EQ(triggers.GetActivePropertyTrigger()->GetWatchedKind(),
            PropertyTrigger::kWatchesNothing);
}

}  // namespace
