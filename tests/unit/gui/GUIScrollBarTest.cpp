#include <gtest/gtest.h>

#include <string>

#include "gui/GUIButton.h"
#include "gui/GUIList.h"
#include "gui/GUIScrollBar.h"
#include "gui/GUISmartTextLine.h"
#include "support/WidgetFixture.h"

namespace {

const Rgba kTrack{0, 200, 0, 255};
const Rgba kBox{0, 0, 200, 255};
const Rgba kArrow{200, 0, 0, 255};
const Rgba kClear{0, 0, 0, 0};

class GUIScrollBarTest : public WidgetFixture {
 protected:
  GUIScrollBarTest() {
    Solid("Misc", "ScrollBarBlank", 8, 8, kTrack);
    Solid("Misc", "ScrollBarBox", 8, 8, kBox);
    for (const char* name : {"ButtonArroSB0", "ButtonArroSB1", "ButtonArroSB2", "ButtonArroSBF0",
                             "ButtonArroSBF1", "ButtonArroSBF2"}) {
      Solid("Buttons", name, 8, 8, kArrow);
    }
  }

  // A vertical bar 100 high at (x, 50) with its step.
  GUIScrollBar* Bar(const char* name, int32_t x, int32_t step = 1) {
    auto* bar = Add<GUIScrollBar>(name);
    bar->SetScrollData(x, 50, 0, 100, true);
    bar->SetStep(step);
    return bar;
  }

  static GUIButton* Child(GUIScrollBar& bar, const char* name) {
    return static_cast<GUIButton*>(bar.GetChildren().Find(name));
  }
};

TEST_F(GUIScrollBarTest, SetUpGivesTheRangeAndLaysOutTheArrows) {
  struct Case {
    bool vertical;
    int32_t w, h;
    int32_t width, height, highest;
    int32_t addX, addY;
    int32_t subFlags, addFlags;
  };
  const Case cases[] = {
      {true, 0, 100, 8, 100, 76, 0, 92, 0, 1},
      {false, 50, 0, 50, 8, 26, 42, 0, 1, 0},
  };
  for (const Case& c : cases) {
    auto* bar = Add<GUIScrollBar>("Bar");
    bar->SetValue(-5);
    bar->SetScrollData(10, 20, c.w, c.h, c.vertical);
    EXPECT_EQ(bar->IsVertical(), c.vertical);
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GetLeft(), 10);
    EXPECT_EQ(bar->GetTop(), 20);
    EXPECT_EQ(bar->GetWidth(), c.width);
    EXPECT_EQ(bar->GetHeight(), c.height);
    EXPECT_EQ(bar->GetLowest(), 0);
    EXPECT_EQ(bar->GetHighest(), c.highest);
    // The value is not touched by the set-up.
    EXPECT_EQ(bar->GetValue(), 0);
    ASSERT_EQ(bar->GetChildren().GetCount(), 2);
    EXPECT_STREQ(bar->GetChildren().GetNameAt(0), "SubClickButton");
    EXPECT_STREQ(bar->GetChildren().GetNameAt(1), "AddClickButton");
    GUIButton* sub = Child(*bar, "SubClickButton");
    GUIButton* add = Child(*bar, "AddClickButton");
    EXPECT_EQ(sub->GetParent(), bar);
    EXPECT_EQ(add->GetParent(), bar);
    EXPECT_EQ(sub->GetLeft(), 0);
    EXPECT_EQ(sub->GetTop(), 0);
    EXPECT_EQ(add->GetLeft(), c.addX);
    EXPECT_EQ(add->GetTop(), c.addY);
    EXPECT_EQ(add->GetWidth(), 8);
    EXPECT_EQ(add->GetHeight(), 8);
    EXPECT_EQ(sub->GetDrawFlags(), c.subFlags);
    EXPECT_EQ(add->GetDrawFlags(), c.addFlags);
    EXPECT_EQ(sub->GetAction(), GUIButton::FindAction("Button_Scrollbar_Decrement"));
    EXPECT_EQ(add->GetAction(), GUIButton::FindAction("Button_Scrollbar_Increment"));
  }
  EXPECT_EQ(log.Text(), "");
}

TEST_F(GUIScrollBarTest, ASecondSetUpMovesTheSameTwoArrows) {
  GUIScrollBar* bar = Bar("Bar", 0);
  GUIButton* sub = Child(*bar, "SubClickButton");
  GUIButton* add = Child(*bar, "AddClickButton");
  bar->SetScrollData(0, 0, 60, 0, false);
  ASSERT_EQ(bar->GetChildren().GetCount(), 2);
  EXPECT_EQ(Child(*bar, "SubClickButton"), sub);
  EXPECT_EQ(Child(*bar, "AddClickButton"), add);
  EXPECT_EQ(add->GetLeft(), 52);
  EXPECT_EQ(add->GetTop(), 0);
  EXPECT_EQ(sub->GetDrawFlags(), 1);
  EXPECT_EQ(add->GetDrawFlags(), 0);

  // A list sets its bar up once when it is made and again at every sizing.
  auto* list = Add<GUIList>("List", nullptr, 0, 0, 100, 0);
  list->SetListSize(20);
  list->SetListSize(3);
  EXPECT_EQ(list->GetBar().GetChildren().GetCount(), 2);
}

TEST_F(GUIScrollBarTest, ValuesAreClampedLowestFirstAndHighestLast) {
  GUIScrollBar bar;
  struct Case {
    int32_t lowest, highest, value, expected;
  };
  const Case cases[] = {
      {0, 76, 40, 40},
      {0, 76, -3, 0},
      {0, 76, 77, 76},
      {0, 76, INT32_MAX, 76},
      // A range upside down gives its highest.
      {10, 4, 0, 4},
      {10, 4, 7, 4},
      {10, 4, 20, 4},
  };
  for (const Case& c : cases) {
    bar.SetRange(c.lowest, c.highest);
    bar.SetValue(c.value);
    EXPECT_EQ(bar.GetValue(), c.expected) << c.lowest << ".." << c.highest << " " << c.value;
  }
  // A new range does not re-clamp; a step must be above 0.
  bar.SetRange(0, 100);
  bar.SetValue(90);
  bar.SetRange(0, 10);
  EXPECT_EQ(bar.GetValue(), 90);
  bar.SetStep(13);
  bar.SetStep(0);
  bar.SetStep(-4);
  EXPECT_EQ(bar.GetStep(), 13);
  bar.SetRange(0, 100);
  bar.SetValue(66);
  EXPECT_EQ(bar.GetPosition(), 5);
  bar.SetRange(0, INT32_MAX);
  bar.SetValue(INT32_MAX - 1);
  bar.Increment();
  EXPECT_EQ(bar.GetValue(), INT32_MAX);
}

TEST_F(GUIScrollBarTest, TheBoxFollowsADragEvenOutsideTheBarUntilTheRelease) {
  GUIScrollBar* bar = Bar("Bar", 100);
  bar->SetValue(10);
  EXPECT_TRUE(Mouse(GUIBaseObject::kPress, 104, 80));
  EXPECT_TRUE(bar->IsPressed());
  EXPECT_EQ(gui->GetDraggedObject(), bar);
  EXPECT_EQ(gui->GetLastTouchedScrollBar(), bar);
  Mouse(GUIBaseObject::kTick, 104, 110);
  EXPECT_EQ(bar->GetValue(), 40);
  Mouse(GUIBaseObject::kTick, 300, 95);
  EXPECT_EQ(bar->GetValue(), 25);
  Mouse(GUIBaseObject::kTick, 104, 500);
  EXPECT_EQ(bar->GetValue(), 76);
  Mouse(GUIBaseObject::kTick, 104, -500);
  EXPECT_EQ(bar->GetValue(), 0);
  Mouse(GUIBaseObject::kTick, 104, 100);
  EXPECT_TRUE(Mouse(GUIBaseObject::kRelease, 104, 100));
  EXPECT_EQ(bar->GetValue(), 30);
  EXPECT_FALSE(bar->IsPressed());
  EXPECT_EQ(gui->GetDraggedObject(), nullptr);
  EXPECT_EQ(gui->GetLastTouchedScrollBar(), nullptr);
  Mouse(GUIBaseObject::kTick, 104, 60);
  EXPECT_EQ(bar->GetValue(), 30);

  // Released outside: the drag ends all the same, and the bar stays the last one touched.
  Mouse(GUIBaseObject::kPress, 104, 80);
  EXPECT_FALSE(Mouse(GUIBaseObject::kRelease, 400, 80));
  EXPECT_FALSE(bar->IsPressed());
  EXPECT_EQ(gui->GetDraggedObject(), nullptr);
  EXPECT_EQ(gui->GetLastTouchedScrollBar(), bar);
  Mouse(GUIBaseObject::kTick, 104, 140);
  EXPECT_EQ(bar->GetValue(), 30);
}

TEST_F(GUIScrollBarTest, ArrowsStepTheirOwnBarWithinItsRange) {
  GUIScrollBar* left = Bar("Left", 100, 13);
  GUIScrollBar* right = Bar("Right", 200, 13);
  left->SetValue(70);
  right->SetValue(70);
  // Left was pressed last and let go outside: it is the last touched bar, yet Right's arrows
  // move Right.
  Mouse(GUIBaseObject::kPress, 104, 80);
  Mouse(GUIBaseObject::kRelease, 600, 80);
  ASSERT_EQ(gui->GetLastTouchedScrollBar(), left);

  EXPECT_TRUE(Click(204, 146));
  EXPECT_EQ(right->GetValue(), 76);
  EXPECT_EQ(left->GetValue(), 70);
  EXPECT_TRUE(Click(204, 54));
  EXPECT_TRUE(Click(204, 54));
  EXPECT_EQ(right->GetValue(), 50);
  EXPECT_TRUE(Click(104, 54));
  EXPECT_EQ(left->GetValue(), 57);
  EXPECT_EQ(right->GetValue(), 50);
  // The arrows took the presses: the bars never saw them.
  EXPECT_FALSE(right->IsPressed());
  for (int i = 0; i < 10; ++i) Click(104, 54);
  EXPECT_EQ(left->GetValue(), 0);

  // A scroll button that no bar holds moves the last touched bar.
  auto* loose = Add<GUIButton>("Loose", nullptr, 300, 0, 10, 10);
  loose->SetFunction("Button_Scrollbar_Increment");
  EXPECT_TRUE(Click(305, 5));
  EXPECT_EQ(left->GetValue(), 13);
  gui->SetLastTouchedScrollBar(nullptr);
  EXPECT_TRUE(Click(305, 5));
  EXPECT_EQ(left->GetValue(), 13);
}

TEST_F(GUIScrollBarTest, DrawsTrackTilesTheBoxAndTheArrows) {
  GUIScrollBar* bar = Bar("Bar", 0);
  struct Case {
    int32_t value;
    int32_t y;
    Rgba pixel;
  };
  const Case cases[] = {
      {0, 0, kArrow},  {0, 7, kArrow},  {0, 8, kBox},    {0, 15, kBox},   {0, 16, kTrack},
      {0, 88, kTrack}, {0, 91, kTrack}, {0, 92, kArrow}, {0, 99, kArrow}, {76, 83, kTrack},
      {76, 84, kBox},  {76, 91, kBox},  {76, 8, kTrack}, {30, 38, kBox},  {30, 37, kTrack},
  };
  for (const Case& c : cases) {
    bar->SetValue(c.value);
    bar->SetDirty();
    FramePixel(0, 0);
    EXPECT_EQ(BufferPixel(*bar, 3, c.y), c.pixel) << "value " << c.value << " y " << c.y;
  }
}

TEST_F(GUIScrollBarTest, RoutedPropertiesAndAWatchingLine) {
  GUIScrollBar* bar = Bar("Bar", 0, 13);
  EXPECT_EQ(*router->Route("GUI", "Bar", "mHighestValue").AsInteger(), 76);
  EXPECT_EQ(*router->Route("GUI", "Bar", "mLowestValue").AsInteger(), 0);
  EXPECT_EQ(*router->Route("GUI", "Bar", "isVertical").AsByte(), 1);
  EXPECT_EQ(router->Route("GUI", "Bar", "mBoxCurrentvalue").GetType(), 0);
  auto* line = Add<GUISmartTextLine>("Line", nullptr, 0, 200, 40, 16);
  line->WatchProperty("GUI", "Bar", "mBoxCurrentValue");
  EXPECT_TRUE(Click(4, 146));
  Mouse(GUIBaseObject::kTick, 600, 400);
  EXPECT_EQ(*line->GetText(), "13");

  // A bar that goes away leaves no slot naming it.
  Mouse(GUIBaseObject::kPress, 4, 80);
  gui->GetTopLevel().RemovePointer(bar);
  delete bar;
  EXPECT_EQ(gui->GetDraggedObject(), nullptr);
  EXPECT_EQ(gui->GetLastTouchedScrollBar(), nullptr);
  Mouse(GUIBaseObject::kTick, 600, 400);
  EXPECT_EQ(*line->GetText(), "13");
}

}  // namespace
