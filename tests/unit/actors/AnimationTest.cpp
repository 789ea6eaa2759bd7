// Frames by time and row, the table's sizes, and the state tree's resolution.

#include <gtest/gtest.h>

#include <climits>

#include "AIFixture.h"
#include "actors/Animation.h"
#include "actors/AnimationState.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"

namespace {

class AnimationTest : public AIFixture {
 protected:
  AnimationTest() {
    library.AddSection("S");
    library.AddCatalogue("S", "C");
    library.AddHeading("S", "C", "H");
    // A palette of a frame's name comes first: a frame look-up must pass over it.
    library.Register("S", "C", "H", "f0", new PaletteSet(1, 1));
    for (int i = 0; i < 4; ++i) {
      frames[i] = new ImageObject();
      library.Register("S", "C", "H", "f" + std::to_string(i), frames[i]);
    }
  }

  // 8 rows, 4 columns, 5 ticks a frame; row 2 holds f0..f3.
  void BuildWalk(Animation& walk) {
    ASSERT_TRUE(walk.DeclareSizes(8, 4));
    for (int column = 0; column < 4; ++column) {
      walk.SetFrame(2, column, ("f" + std::to_string(column)).c_str());
    }
    walk.SetDuration(5);
  }

  ImageObject* frames[4] = {};
};

TEST_F(AnimationTest, FramesFollowTheTimeInTheirRow) {
  Animation walk;
  BuildWalk(walk);
  EXPECT_EQ(walk.GetTotalTicks(), 20);
  const struct {
    int32_t row, time;
    int frame;  // -1: none
  } kCases[] = {
      {2, 0, 0},       {2, 4, 0},  {2, 5, 1},   {2, 19, 3},  {2, 20, 0},
      {2, 23, 0},      {2, -1, 3}, {2, -20, 0}, {2, -6, 2},  {2, INT_MIN, 2},
      {2, INT_MAX, 1}, {3, 7, -1}, {8, 7, -1},  {-1, 7, -1},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(walk.GetFrameByTime(c.row, c.time), c.frame >= 0 ? frames[c.frame] : nullptr)
        << "row " << c.row << " time " << c.time;
  }
}

TEST_F(AnimationTest, SizesAndDurationKeepTheirOrder) {
  Animation early;
  early.SetDuration(5);  // before any columns: total 0, nothing shows
  ASSERT_TRUE(early.DeclareSizes(0, 4));
  early.SetFrame(0, 1, "f1");
  EXPECT_EQ(early.GetRows(), 1);
  EXPECT_EQ(early.GetColumns(), 4);
  EXPECT_EQ(early.GetFrameByTime(0, 6), nullptr);
  early.SetDuration(5);
  EXPECT_EQ(early.GetFrameByTime(0, 6), frames[1]);

  // Declaring again clears every frame.
  ASSERT_TRUE(early.DeclareSizes(1, 4));
  EXPECT_EQ(early.GetFrameByTime(0, 6), nullptr);

  // Fewer columns under a total kept from more: a column past the table shows nothing.
  Animation shrunk;
  BuildWalk(shrunk);
  ASSERT_TRUE(shrunk.DeclareSizes(8, 2));
  shrunk.SetFrame(2, 1, "f1");
  EXPECT_EQ(shrunk.GetFrameByTime(2, 7), frames[1]);
  EXPECT_EQ(shrunk.GetFrameByTime(2, 12), nullptr);

  // A negative or huge duration, a table too large: nothing read outside, nothing changed.
  shrunk.SetDuration(-5);
  EXPECT_EQ(shrunk.GetFrameByTime(2, 7), nullptr);
  shrunk.SetDuration(INT_MAX);
  EXPECT_EQ(shrunk.GetTotalTicks(), int64_t{INT_MAX} * 2);
  EXPECT_EQ(shrunk.GetFrameByTime(2, INT_MAX), frames[1]);
  EXPECT_FALSE(shrunk.DeclareSizes(INT_MAX, INT_MAX));
  EXPECT_EQ(shrunk.GetRows(), 8);
  EXPECT_EQ(shrunk.GetFrameByTime(2, INT_MAX), frames[1]);

  // Outside the table and names that are not images set nothing / an empty frame.
  shrunk.SetFrame(8, 0, "f1");
  shrunk.SetFrame(2, -1, "f1");
  shrunk.SetFrame(2, 1, "nothing");
  EXPECT_EQ(shrunk.GetFrameByTime(2, 7), nullptr);
}

class AnimationStateTest : public AIFixture {
 protected:
  // Watches one of the stand-in's flags.
  AnimationState* State(int32_t index, uint8_t* flag, uint8_t value) {
    LifetimeToken token = watch.Token();
    return new AnimationState(index, flag ? PropertyRef::Byte(*flag, token) : PropertyRef(), value);
  }
  Lifetime watch;
};

TEST_F(AnimationStateTest, FirstApplyingStateWinsAndDeeperStatesOverride) {
  uint8_t moving = 0, hurt = 0, running = 0;
  AnimationStateList root;
  AnimationState* move = State(1, &moving, 0);  // applies while moving is set
  AnimationState* run = State(2, &running, 0);
  move->GetChildList().Add("Run", run);
  root.Add("Move", move);
  root.Add("Hurt", State(3, &hurt, 0));
  root.Add("Still", State(0, &moving, 1));  // applies while moving is clear
  const auto resolve = [&root] {
    int32_t index = -1;
    root.ForEach([&index](const std::string&, AnimationState* state) {
      if (index == -1) index = state->Resolve();
    });
    return index;
  };

  EXPECT_EQ(resolve(), 0);
  hurt = 1;
  EXPECT_EQ(resolve(), 3);
  // A running child does not apply under a parent that does not: the subtree is passed over.
  running = 1;
  EXPECT_EQ(resolve(), 3);
  moving = 1;
  EXPECT_EQ(resolve(), 2);
  running = 0;
  EXPECT_EQ(resolve(), 1);  // the parent when no child applies
  DestroyStates(root);
}

TEST_F(AnimationStateTest, AMissingOrNonNumericWatchNeverApplies) {
  uint8_t flag = 1;
  log.Clear();
  std::unique_ptr<AnimationState> missing(State(5, nullptr, 0));
  std::unique_ptr<AnimationState> text(new AnimationState(5, "Player", "me", "Name", 0));
  EXPECT_EQ(log.Text(),
            "Animation State Constructor:  Warning, Watch Pointer was found to be NULL\n"
            "Animation State Constructor:  Warning, Watch Pointer was found to be NULL\n");
  EXPECT_EQ(missing->Resolve(), -1);
  EXPECT_EQ(text->Resolve(), -1);

  // An integer is compared by its first byte; a watch whose owner is gone stops applying.
  actor->x = 0x0101;
  std::unique_ptr<AnimationState> wide(new AnimationState(6, "Player", "me", "X", 0));
  EXPECT_EQ(wide->Resolve(), 6);
  actor->x = 0x0100;
  EXPECT_EQ(wide->Resolve(), -1);
  actor->x = 1;
  std::unique_ptr<AnimationState> flagState(State(7, &flag, 0));
  EXPECT_EQ(flagState->Resolve(), 7);
  actor.reset();
  EXPECT_EQ(wide->Resolve(), -1);
}

}  // namespace
