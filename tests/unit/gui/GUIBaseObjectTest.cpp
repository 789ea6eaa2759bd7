#include <gtest/gtest.h>

#include <climits>

#include "support/GUIFixture.h"

namespace {

using Heard = RecordingWidget::Heard;
constexpr int32_t kPress = GUIBaseObject::kPress;
constexpr int32_t kRelease = GUIBaseObject::kRelease;
constexpr int32_t kTick = GUIBaseObject::kTick;

class GUIBaseObjectTest : public GUIFixture {
 protected:
  // A 100 x 80 window at (100, 100) with a 4-pixel corner, so its border zone is 4 wide.
  RecordingWidget* BorderedWindow(const char* name = "Window") {
    RecordingWidget* window = Add(name, nullptr, 100, 100, 100, 80);
    window->SetBorderImages(SolidPicture("corner", 4, 4, {9, 9, 9, 255}), nullptr, nullptr);
    return window;
  }
};

TEST_F(GUIBaseObjectTest, StartsLockedHiddenAndWithoutABuffer) {
  RecordingWidget widget;
  EXPECT_EQ(widget.GetType(), 3000);
  EXPECT_TRUE(widget.IsLocked());
  EXPECT_FALSE(widget.IsVisible());
  EXPECT_EQ(widget.GetBuffer(), nullptr);
  EXPECT_FALSE(widget.HandleInput(kPress, 0, 0));
  EXPECT_TRUE(widget.heard.empty());
}

TEST_F(GUIBaseObjectTest, SetDimensionsGivesRectangleBufferAndVisibility) {
  RecordingWidget* widget = Add("W", nullptr, 10, 20, 30, 40);
  EXPECT_EQ(widget->GetRight(), 40);
  EXPECT_EQ(widget->GetBottom(), 60);
  EXPECT_TRUE(widget->IsVisible());
  EXPECT_TRUE(widget->IsDirty());
  ASSERT_NE(widget->GetBuffer()->GetBitmap(), nullptr);
  EXPECT_EQ(al_get_bitmap_width(widget->GetBuffer()->GetBitmap()), 30);
  // Bounds are inclusive.
  EXPECT_TRUE(widget->IsInside(40, 60));
  EXPECT_FALSE(widget->IsInside(41, 60));

  widget->SetDimensions(INT_MAX - 5, 0, 100, 1);
  EXPECT_EQ(widget->GetRight(), INT_MAX);
}

// Refused sizes (negative, or a side past the largest bitmap): the widget holds no bitmap, is never
// drawn and never becomes a drawing target.
TEST_F(GUIBaseObjectTest, AWidgetWithoutABitmapIsNotDrawn) {
  ASSERT_EQ(ImageObject::LargestSide(), 16384);  // no display
  for (const auto& size : {std::pair{-1, 10}, std::pair{10, -5}, std::pair{INT_MAX, INT_MAX},
                           std::pair{20000, 20000}, std::pair{16385, 1}, std::pair{1, 16385}}) {
    RecordingWidget* widget = Add("Refused", nullptr, 0, 0, size.first, size.second);
    RecordingWidget* child = Add("Child", widget, 0, 0, 5, 5);
    EXPECT_EQ(widget->GetBuffer()->GetBitmap(), nullptr);
    ALLEGRO_BITMAP* shown = DrawFrame();
    EXPECT_EQ(widget->draws, 0);
    EXPECT_EQ(child->draws, 0);
    EXPECT_EQ(al_get_target_bitmap(), shown);
    EXPECT_TRUE(widget->IsVisible());
    widget->Hide();
  }
  RecordingWidget* largest = Add("Largest", nullptr, 0, 0, 16384, 1);
  ASSERT_NE(largest->GetBuffer()->GetBitmap(), nullptr);
  EXPECT_EQ(al_get_bitmap_width(largest->GetBuffer()->GetBitmap()), 16384);
}

TEST_F(GUIBaseObjectTest, LockedWindowTakesTheDragButDoesNotMoveUntilUnlocked) {
  RecordingWidget* window = BorderedWindow();
  Mouse(kPress, 150, 102);
  EXPECT_TRUE(window->IsDragging());
  EXPECT_TRUE(window->GrabbedTop());
  EXPECT_EQ(gui->GetDraggedObject(), window);
  Mouse(kTick, 170, 130);
  EXPECT_EQ(window->GetLeft(), 100);

  // The anchor stays where the press was until a step moves the window.
  window->SetLock(0);
  Mouse(kTick, 180, 140);
  EXPECT_EQ(window->GetLeft(), 130);
  EXPECT_EQ(window->GetTop(), 138);
  EXPECT_EQ(window->GetRight(), 230);
}

TEST_F(GUIBaseObjectTest, DraggingMovesTheWindowWithItsChildrenAndBringsItToTheFront) {
  RecordingWidget* front = Add("Front", nullptr, 0, 0, 400, 400);
  RecordingWidget* window = BorderedWindow();
  RecordingWidget* child = Add("Child", window, 10, 10, 20, 20);
  child->answer = true;
  window->SetLock(0);

  Mouse(kPress, 150, 101);  // the front window covers it, but answers nothing
  ASSERT_EQ(gui->GetDraggedObject(), window);
  Mouse(kTick, 160, 121);
  Mouse(kTick, 165, 131);
  EXPECT_EQ(window->GetLeft(), 115);
  EXPECT_EQ(window->GetTop(), 130);
  EXPECT_EQ(gui->GetTopLevel().GetAt(0), window);
  EXPECT_EQ(gui->GetTopLevel().GetAt(1), front);

  Mouse(kRelease, 165, 131);
  EXPECT_FALSE(window->IsDragging());
  EXPECT_EQ(gui->GetDraggedObject(), nullptr);
  Mouse(kTick, 300, 300);
  EXPECT_EQ(window->GetLeft(), 115);

  // The child moved with it: a press at its new place reaches it in the window's coordinates.
  child->heard.clear();
  EXPECT_TRUE(Mouse(kPress, 130, 145));
  EXPECT_EQ(child->Clicks(), (std::vector<Heard>{{kPress, 15, 15}}));
}

TEST_F(GUIBaseObjectTest, EdgeGrabsFollowTheBorderWidth) {
  struct Case {
    int x, y;
    bool left, top, right, bottom;
  };
  const Case cases[] = {
      {100, 140, true, false, false, false},  {104, 140, true, false, false, false},
      {105, 140, false, false, false, false}, {196, 140, false, false, true, false},
      {150, 176, false, false, false, true},  {200, 180, false, false, true, true},
      {150, 104, false, true, false, false},
  };
  RecordingWidget* window = BorderedWindow();
  for (const Case& c : cases) {
    Mouse(kPress, c.x, c.y);
    EXPECT_EQ(window->GrabbedLeft(), c.left) << c.x << "," << c.y;
    EXPECT_EQ(window->GrabbedTop(), c.top) << c.x << "," << c.y;
    EXPECT_EQ(window->GrabbedRight(), c.right) << c.x << "," << c.y;
    EXPECT_EQ(window->GrabbedBottom(), c.bottom) << c.x << "," << c.y;
    EXPECT_EQ(window->IsEdgeGrabbed(), c.left || c.top || c.right || c.bottom);
    Mouse(kRelease, c.x, c.y);
  }
}

TEST_F(GUIBaseObjectTest, APressOnTheBorderGoesToTheWindowNotItsChildren) {
  RecordingWidget* window = BorderedWindow();
  RecordingWidget* child = Add("Child", window, 90, 0, 10, 80);  // under the right border
  child->answer = true;
  Mouse(kPress, 198, 140);
  EXPECT_TRUE(child->heard.empty());
  EXPECT_EQ(window->Clicks(), (std::vector<Heard>{{kPress, 198, 140}}));
  Mouse(kRelease, 198, 140);
  child->heard.clear();
  Mouse(kPress, 193, 140);  // inside the child, off the border
  EXPECT_EQ(child->Clicks(), (std::vector<Heard>{{kPress, 93, 40}}));
}

TEST_F(GUIBaseObjectTest, AChildIsHitOnlyWhereItsParentCoversIt) {
  RecordingWidget* window = Add("Window", nullptr, 0, 0, 50, 50);
  RecordingWidget* child = Add("Child", window, 40, 40, 30, 30);  // sticks out to (70, 70)
  Mouse(kPress, 45, 45);
  EXPECT_TRUE(child->HasMouseOver());
  EXPECT_TRUE(child->IsInside(45, 45));
  Mouse(kPress, 60, 60);
  EXPECT_FALSE(child->HasMouseOver());
  EXPECT_FALSE(child->IsInside(60, 60));
}

TEST_F(GUIBaseObjectTest, AHiddenWindowAndItsChildrenTakeNoInputAndAreNotDrawn) {
  RecordingWidget* window = Add("Window", nullptr, 0, 0, 50, 50);
  RecordingWidget* child = Add("Child", window, 0, 0, 10, 10);
  window->answer = child->answer = true;
  window->Hide();
  EXPECT_FALSE(Mouse(kPress, 5, 5));
  Mouse(kTick, 5, 5);
  DrawFrame();
  EXPECT_TRUE(window->heard.empty());
  EXPECT_TRUE(child->heard.empty());
  EXPECT_EQ(window->draws + child->draws, 0);
  EXPECT_EQ(PixelAt(frame.GetBitmap(), 5, 5), (Rgba{0, 0, 0, 255}));
}

TEST_F(GUIBaseObjectTest, BorderImagesSetTheBorderAndMissingOnesLeaveIt) {
  RecordingWidget* widget = Add("W", nullptr, 0, 0, 50, 50);
  ImageObject* edge = SolidPicture("edge", 3, 2, {1, 2, 3, 255});
  widget->SetBorderImages(nullptr, edge, nullptr);
  EXPECT_TRUE(widget->IsBordered());
  EXPECT_EQ(widget->GetBorderWidth(), 0);
  widget->SetBorderImages(SolidPicture("corner", 6, 5, {1, 2, 3, 255}), nullptr, nullptr);
  EXPECT_EQ(widget->GetBorderWidth(), 6);
  widget->SetBorderImages(nullptr, nullptr, nullptr);
  EXPECT_TRUE(widget->IsBordered());
  EXPECT_EQ(widget->GetBorderWidth(), 6);
  EXPECT_FALSE(widget->HasAllBorderImages());
}

Rgba CornerPattern(int x, int y) {
  return Rgba{static_cast<unsigned char>(10 + x), static_cast<unsigned char>(20 + y), 0, 255};
}
Rgba EdgePattern(int x, int y) {
  return Rgba{0, static_cast<unsigned char>(100 + x), static_cast<unsigned char>(200 + y), 255};
}

// A 2 x 2 corner and 3 x 2 / 2 x 3 edges on a 12 x 10 widget filled grey.
TEST_F(GUIBaseObjectTest, BorderLayoutMirrorsCornersAndTilesEdges) {
  RecordingWidget* widget = Add("W", nullptr, 0, 0, 12, 10);
  widget->fill = {50, 50, 50, 255};
  widget->SetBorderImages(Picture("corner", 2, 2, CornerPattern), Picture("h", 3, 2, EdgePattern),
                          Picture("v", 2, 3, EdgePattern));
  ALLEGRO_BITMAP* shown = DrawFrame();
  const Rgba grey{50, 50, 50, 255};
  struct Expect {
    int x, y;
    Rgba pixel;
  };
  const Expect expected[] = {
      {0, 0, CornerPattern(0, 0)},
      {1, 0, CornerPattern(1, 0)},  // top left as is
      {11, 0, CornerPattern(0, 0)},
      {10, 1, CornerPattern(1, 1)},  // top right mirrored in x
      {0, 9, CornerPattern(0, 0)},
      {1, 8, CornerPattern(1, 1)},  // bottom left in y
      {11, 9, CornerPattern(0, 0)},
      {10, 9, CornerPattern(1, 0)},  // bottom right in both
      {2, 0, EdgePattern(0, 0)},
      {4, 1, EdgePattern(2, 1)},  // top edge tiles from x 2
      {5, 0, EdgePattern(0, 0)},
      {9, 0, EdgePattern(1, 0)},  // period 3, last column 9
      {2, 9, EdgePattern(0, 0)},
      {3, 8, EdgePattern(1, 1)},  // bottom edge mirrored in y
      {0, 2, EdgePattern(0, 0)},
      {1, 4, EdgePattern(1, 2)},  // left edge from row 2
      {0, 5, EdgePattern(0, 0)},
      {0, 7, EdgePattern(0, 2)},  // period 3, last row 7
      {11, 2, EdgePattern(0, 0)},
      {10, 3, EdgePattern(1, 1)},  // right edge mirrored in x
      {2, 2, grey},
      {6, 5, grey},  // the interior is kept
  };
  for (const Expect& e : expected)
    EXPECT_EQ(PixelAt(shown, e.x, e.y), e.pixel) << e.x << "," << e.y;
}

TEST_F(GUIBaseObjectTest, ASixteenPixelWidgetWithAnEightPixelCornerHasCornersOnly) {
  RecordingWidget* widget = Add("W", nullptr, 0, 0, 16, 16);
  widget->fill = {50, 50, 50, 255};
  widget->SetBorderImages(SolidPicture("corner", 8, 8, {255, 0, 0, 255}),
                          SolidPicture("h", 4, 4, {0, 255, 0, 255}),
                          SolidPicture("v", 4, 4, {0, 0, 255, 255}));
  ALLEGRO_BITMAP* shown = DrawFrame();
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(PixelAt(shown, x, y), (Rgba{255, 0, 0, 255}));
  }
}

// Edges of no width or height have nothing to tile; without a corner the corner size counts as 8.
TEST_F(GUIBaseObjectTest, ZeroSizedBorderPiecesAreSkipped) {
  RecordingWidget* widget = Add("W", nullptr, 0, 0, 20, 20);
  widget->fill = {50, 50, 50, 255};
  widget->SetBorderImages(nullptr, SolidPicture("h0", 0, 3, {0, 255, 0, 255}),
                          SolidPicture("v", 3, 2, {0, 0, 255, 255}));
  ALLEGRO_BITMAP* shown = DrawFrame();
  EXPECT_EQ(PixelAt(shown, 10, 0), (Rgba{50, 50, 50, 255}));
  EXPECT_EQ(PixelAt(shown, 0, 7), (Rgba{50, 50, 50, 255}));
  EXPECT_EQ(PixelAt(shown, 0, 8), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(PixelAt(shown, 19, 11), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(PixelAt(shown, 0, 12), (Rgba{50, 50, 50, 255}));
}

TEST_F(GUIBaseObjectTest, TheBufferIsRedrawnOnlyWhileDirtyAndRedrawEnabled) {
  RecordingWidget* keeps = Add("Keeps", nullptr, 0, 0, 10, 10);
  RecordingWidget* clears = Add("Clears", nullptr, 20, 0, 10, 10);
  clears->clearsDirty = true;
  DrawFrame();
  DrawFrame();
  EXPECT_EQ(keeps->draws, 2);  // never clears its flag: redrawn every frame
  EXPECT_EQ(clears->draws, 1);

  // The last buffer is shown unchanged.
  clears->fill = {0, 255, 0, 255};
  EXPECT_EQ(PixelAt(DrawFrame(), 25, 5), (Rgba{255, 255, 255, 255}));
  clears->SetDirty();
  EXPECT_EQ(PixelAt(DrawFrame(), 25, 5), (Rgba{0, 255, 0, 255}));

  keeps->SetRedrawEnabled(false);
  DrawFrame();
  EXPECT_EQ(keeps->draws, 4);
  EXPECT_EQ(clears->draws, 2);
}

TEST_F(GUIBaseObjectTest, ChildrenAreDrawnBackToFrontInsideTheirParent) {
  RecordingWidget* window = Add("Window", nullptr, 10, 10, 50, 50);
  RecordingWidget* front = Add("Front", window, 0, 0, 20, 20);
  RecordingWidget* back = Add("Back", window, 10, 10, 20, 20);
  window->fill = {0, 0, 0, 255};
  front->fill = {255, 0, 0, 255};
  back->fill = {0, 255, 0, 255};
  ALLEGRO_BITMAP* shown = DrawFrame();
  EXPECT_EQ(PixelAt(shown, 25, 25), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(PixelAt(shown, 35, 35), (Rgba{0, 255, 0, 255}));
  EXPECT_EQ(PixelAt(shown, 50, 50), (Rgba{0, 0, 0, 255}));
}

}  // namespace
