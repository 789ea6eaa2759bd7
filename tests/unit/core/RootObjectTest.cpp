#include <gtest/gtest.h>

#include <cstdlib>

#include "core/Dimensions.h"
#include "core/RootEntity.h"
#include "core/RootObject.h"

namespace {

class PlainObject : public RootObject {
 public:
  PlainObject() { typeCode = 2000; }
};

class PlainEntity : public RootEntity {};

// Other tests in this binary construct objects too, so the ids are checked relative to each other:
// one counter for every class, one step per object.
TEST(RootObject_SerialIds, EveryObjectTakesTheNextIdWhateverItsClass) {
  PlainObject first;
  PlainEntity second;
  PlainObject third;
  EXPECT_GE(first.GetID(), 1);
  EXPECT_EQ(second.GetID(), first.GetID() + 1);
  EXPECT_EQ(third.GetID(), first.GetID() + 2);
  EXPECT_EQ(first.GetType(), 2000);
  EXPECT_EQ(second.GetType(), 0);
}

// Checked in a fresh process of its own: the "threadsafe" style starts the test binary again and
// runs only this test, so no other test's objects come first.
TEST(RootObject_SerialIds, FirstObjectOfTheProcessGetsOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        PlainEntity first;
        PlainObject second;
        std::exit(first.GetID() == 1 && second.GetID() == 2 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(RootObject_SerialIds, IdsAreNeverReusedAfterDestruction) {
  int32_t gone;
  {
    PlainObject object;
    gone = object.GetID();
  }
  PlainObject next;
  EXPECT_EQ(next.GetID(), gone + 1);
}

TEST(RootObject_Lifetime, TokenGoesDeadWithItsObject) {
  LifetimeToken token;
  EXPECT_FALSE(token.IsAlive());
  {
    PlainEntity entity;
    token = entity.GetLifetimeToken();
    EXPECT_TRUE(token.IsAlive());
  }
  EXPECT_FALSE(token.IsAlive());
}

TEST(RootEntity_BaseOperations, UnnamedSlotAnswersMinusOne) {
  PlainEntity entity;
  RootEntity& base = entity;
  base.Update();
  base.Draw(nullptr, nullptr);  // the base draws nothing and needs no target
  EXPECT_EQ(base.Reserved2(), -1);
}

TEST(Dimensions_PointInRect, BoundsAreInside) {
  struct Case {
    int32_t x, y, left, top, right, bottom;
    bool inside;
  };
  const Case cases[] = {
      {5, 5, 5, 5, 5, 5, true},    // a one-pixel rectangle holds its pixel
      {6, 5, 0, 0, 5, 5, false},   // one past the right bound
      {0, 0, 0, 0, 5, 5, true},    // top-left corner
      {5, 5, 0, 0, 5, 5, true},    // bottom-right corner
      {-1, 3, 0, 0, 5, 5, false},  // one before the left bound
      {3, 6, 0, 0, 5, 5, false},   // one below the bottom bound
      {3, -1, 0, 0, 5, 5, false},  // one above the top bound
      {-3, -3, -5, -5, -1, -1, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PointInRect(c.x, c.y, c.left, c.top, c.right, c.bottom), c.inside)
        << c.x << "," << c.y << " in " << c.left << "," << c.top << "," << c.right << ","
        << c.bottom;
  }
}

TEST(Dimensions_RectsOverlap, TouchingOverlapsAndAGapDoesNot) {
  struct Case {
    const char* what;
    RectRecord a, b;
    bool overlap;
  };
  const Case cases[] = {
      {"corner touch", {0, 0, 10, 10}, {10, 10, 20, 20}, true},
      {"other corner touch", {0, 10, 10, 20}, {10, 0, 20, 10}, true},
      {"edge touch", {0, 0, 10, 10}, {10, 3, 20, 7}, true},
      {"one-pixel gap to the right", {0, 0, 10, 10}, {11, 0, 20, 10}, false},
      {"one-pixel gap below", {0, 0, 10, 10}, {0, 11, 10, 20}, false},
      {"diagonal gap", {0, 0, 10, 10}, {11, 11, 20, 20}, false},
      {"contained", {0, 0, 10, 10}, {4, 4, 5, 5}, true},
      {"crossing", {0, 4, 10, 5}, {4, 0, 5, 10}, true},
      {"same pixel", {3, 3, 3, 3}, {3, 3, 3, 3}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RectOverlapsRect(c.a, c.b), c.overlap) << c.what;
    EXPECT_EQ(RectOverlapsRect(c.b, c.a), c.overlap) << c.what << " (swapped)";
  }
}

TEST(Dimensions_Rect, ReadsTheBoxAsARectangle) {
  Dimensions box;
  box.minX = 1;
  box.minY = 2;
  box.maxX = 3;
  box.maxY = 4;
  box.x = 99;
  const RectRecord rect = box.Rect();
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(rect.top, 2);
  EXPECT_EQ(rect.right, 3);
  EXPECT_EQ(rect.bottom, 4);
}

}  // namespace
