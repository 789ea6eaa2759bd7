#include <allegro5/allegro_font.h>
#include <gtest/gtest.h>

#include "gui/GUIImage.h"
#include "gui/GUIInputTextBox.h"
#include "gui/GUIList.h"
#include "gui/GUIResizeWindow.h"
#include "gui/GUIScrollableWindow.h"
#include "gui/GUIWindow.h"
#include "support/GUIFixture.h"

namespace {

constexpr int32_t kPress = GUIBaseObject::kPress;
constexpr int32_t kRelease = GUIBaseObject::kRelease;
constexpr int32_t kTick = GUIBaseObject::kTick;

// Every pixel of the picture tells where it lies.
Rgba Coordinates(int x, int y) {
  return Rgba{static_cast<unsigned char>(x), static_cast<unsigned char>(y), 77, 255};
}

class GUIWindowTest : public GUIFixture {
 protected:
  // A bordered resize window; the 4-pixel corner makes a 4-pixel grab zone.
  GUIResizeWindow* BorderedResizeWindow(int x, int y, int w, int h) {
    auto* window = Add<GUIResizeWindow>("Resize", nullptr, x, y, w, h);
    window->SetBorderImages(SolidPicture("corner", 4, 4, {9, 9, 9, 255}),
                            SolidPicture("h", 1, 4, {9, 9, 9, 255}),
                            SolidPicture("v", 4, 1, {9, 9, 9, 255}));
    window->SetLock(0);
    return window;
  }
};

TEST_F(GUIWindowTest, TypeCodesAndStartingState) {
  GUIWindow plain;
  GUIScrollableWindow scrollable;
  GUIResizeWindow resize;
  EXPECT_EQ(plain.GetType(), 3300);
  EXPECT_EQ(scrollable.GetType(), 3301);
  EXPECT_EQ(resize.GetType(), 3302);
  EXPECT_FALSE(plain.IsBordered());
  EXPECT_TRUE(plain.IsLocked());
  const GUIWindowPicture& picture = scrollable.GetPicture();
  EXPECT_EQ(picture.Get(), nullptr);
  EXPECT_EQ(picture.GetRight(), 1);
  EXPECT_EQ(picture.GetBottom(), 1);
  EXPECT_EQ(resize.GetWindowBorderWidth(), 10);
}

TEST_F(GUIWindowTest, APlainWindowFillsItselfAndKeepsItselfAndItsParentDirty) {
  auto* outer = Add<GUIWindow>("Outer", nullptr, 10, 10, 100, 100);
  auto* inner = Add<GUIWindow>("Inner", outer, 20, 20, 30, 30);
  outer->SetBackgroundColor(0, 0, 200);
  inner->SetBackgroundColor(300, -5, 128);  // held at 0 and 255
  ALLEGRO_BITMAP* shown = DrawFrame();
  EXPECT_EQ(PixelAt(shown, 15, 15), (Rgba{0, 0, 200, 255}));
  EXPECT_EQ(PixelAt(shown, 35, 35), (Rgba{255, 0, 128, 255}));
  EXPECT_EQ(PixelAt(shown, 109, 109), (Rgba{0, 0, 200, 255}));
  EXPECT_EQ(PixelAt(shown, 5, 5), (Rgba{0, 0, 0, 255}));
  EXPECT_TRUE(outer->IsDirty());
  EXPECT_TRUE(inner->IsDirty());
  EXPECT_FALSE(Mouse(kPress, 35, 35));  // plain windows take nothing
}

// A window keeps the widget that holds it redrawn even when that widget is no window and clears
// its own flag before it draws its children: after every frame the holder is dirty again.
TEST_F(GUIWindowTest, EveryWindowKeepsAHolderThatIsNoWindowDirty) {
  const auto check = [this](GUIBaseObject* holder, GUIBaseObject* window) {
    for (int frame = 0; frame < 2; ++frame) {
      DrawFrame();
      EXPECT_TRUE(holder->IsDirty()) << window->GetName() << " in frame " << frame;
      EXPECT_TRUE(window->IsDirty()) << window->GetName();
    }
    holder->Hide();
  };
  auto* image = Add<GUIImage>("Image", nullptr, 0, 0, 50, 50);
  check(image, Add<GUIWindow>("Plain", image, 5, 5, 20, 20));
  auto* box = Add<GUIInputTextBox>("Box", nullptr, 0, 0, 50, 50);
  check(box, Add<GUIScrollableWindow>("Scroll", box, 5, 5, 20, 20));
  auto* list = Add<GUIList>("List", nullptr, 0, 0, 50, 50);
  check(list, Add<GUIResizeWindow>("Resize", list, 5, 5, 20, 20));
}

TEST_F(GUIWindowTest, APictureWindowShowsThePictureFromItsViewCorner) {
  library->AddCatalogue("Images", "Background");
  library->AddHeading("Images", "Background", "Scenery");
  auto* window = Add<GUIScrollableWindow>("Scroll", nullptr, 100, 50, 40, 30);
  Picture("Scenery", 64, 64, Coordinates);
  window->setBackgroundPic("Scenery");
  window->SetPictureDimensions(5, 7, 45, 37);
  ALLEGRO_BITMAP* shown = DrawFrame();
  EXPECT_EQ(PixelAt(shown, 100, 50), Coordinates(5, 7));
  EXPECT_EQ(PixelAt(shown, 139, 79), Coordinates(44, 36));

  // Beyond the picture nothing is drawn: the window has no fill of its own.
  window->SetPictureDimensions(50, -10, 90, 20);
  shown = DrawFrame();
  EXPECT_EQ(PixelAt(shown, 100, 60), Coordinates(50, 0));
  EXPECT_EQ(PixelAt(shown, 113, 69), Coordinates(63, 9));
  EXPECT_EQ(PixelAt(shown, 100, 59), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(PixelAt(shown, 114, 60), (Rgba{0, 0, 0, 255}));
}

TEST_F(GUIWindowTest, AMissingPictureLogsItsLineAndDrawsOnlyTheChildren) {
  auto* scroll = Add<GUIScrollableWindow>("Scroll", nullptr, 0, 0, 40, 40);
  auto* resize = Add<GUIResizeWindow>("Resize", nullptr, 50, 0, 40, 40);
  auto* child = Add("Child", scroll, 0, 0, 5, 5);
  child->fill = {0, 255, 0, 255};
  // A font of that name is no picture.
  library->Register("Images", "GUI", "Windows", "Font", al_create_builtin_font());
  scroll->setBackgroundPic("Nowhere");
  resize->SetBackgroundPic("Font");
  EXPECT_EQ(log.Text(),
            "GUIScrollableWindow::setBackgroundPic: rBgPic file Nowhere not found\n"
            "GUIRSW SetDisplay: rBgPic file Font not found\n");
  ALLEGRO_BITMAP* shown = DrawFrame();
  EXPECT_EQ(PixelAt(shown, 2, 2), (Rgba{0, 255, 0, 255}));
  EXPECT_EQ(PixelAt(shown, 20, 20), (Rgba{0, 0, 0, 255}));
}

TEST_F(GUIWindowTest, ScrollablePictureReEnablesRedrawOnlyWithAllThreeBorderImages) {
  SolidPicture("Scenery", 8, 8, {1, 1, 1, 255});
  auto* window = Add<GUIScrollableWindow>("Scroll", nullptr, 0, 0, 40, 40);
  window->SetRedrawEnabled(false);
  DrawFrame();
  window->setBackgroundPic("Scenery");
  DrawFrame();
  EXPECT_NE(PixelAt(frame.GetBitmap(), 2, 2), (Rgba{1, 1, 1, 255}));  // the old buffer
  window->SetBorderImages(SolidPicture("c", 2, 2, {5, 5, 5, 255}),
                          SolidPicture("hh", 1, 2, {5, 5, 5, 255}),
                          SolidPicture("vv", 2, 1, {5, 5, 5, 255}));
  window->setBackgroundPic("Scenery");
  EXPECT_EQ(PixelAt(DrawFrame(), 4, 4), (Rgba{1, 1, 1, 255}));
}

// Every window starts locked: no pan, no resize until unlocked.
TEST_F(GUIWindowTest, LockedPictureWindowsIgnoreInput) {
  auto* scroll = Add<GUIScrollableWindow>("Scroll", nullptr, 0, 0, 200, 200);
  GUIResizeWindow* resize = BorderedResizeWindow(300, 0, 100, 100);
  resize->SetLock(1);
  EXPECT_FALSE(Mouse(kPress, 100, 100));
  Mouse(kTick, 150, 150);
  EXPECT_FALSE(Mouse(kPress, 398, 50));
  Mouse(kTick, 420, 50);
  EXPECT_EQ(scroll->GetPicture().GetLeft(), 0);
  EXPECT_EQ(resize->GetWidth(), 100);
}

TEST_F(GUIWindowTest, ScrollableWindowPansExceptFromItsEdgeZone) {
  struct Case {
    int x, y;
    bool inEdgeZone;
  };
  const Case cases[] = {{5, 100, true},   {195, 100, true},  {100, 5, true},
                        {100, 195, true}, {100, 100, false}, {11, 11, false}};
  for (const Case& c : cases) {
    auto* window = Add<GUIScrollableWindow>("Scroll", nullptr, 0, 0, 200, 200);
    window->SetLock(0);
    EXPECT_EQ(window->IsInEdgeZone(c.x, c.y), c.inEdgeZone) << c.x << "," << c.y;
    EXPECT_TRUE(Mouse(kPress, c.x, c.y));
    EXPECT_EQ(gui->GetDraggedObject(), window);
    EXPECT_TRUE(Mouse(kTick, c.x + 10, c.y - 4));
    const int moved = c.inEdgeZone ? 0 : -10;
    EXPECT_EQ(window->GetPicture().GetLeft(), moved) << c.x << "," << c.y;
    EXPECT_EQ(window->GetPicture().GetRight(), 1 + moved);
    EXPECT_EQ(window->GetPicture().GetTop(), c.inEdgeZone ? 0 : 4);
    Mouse(kRelease, c.x, c.y);
    EXPECT_FALSE(window->IsPressed());
    Mouse(kTick, c.x + 50, c.y);
    EXPECT_EQ(window->GetPicture().GetLeft(), moved);
    window->Hide();
  }
}

TEST_F(GUIWindowTest, ABorderedResizeWindowResizesFromItsRightAndBottomEdges) {
  GUIResizeWindow* window = BorderedResizeWindow(100, 100, 100, 80);
  struct Case {
    int pressX, pressY, toX, toY;
    int width, height;
  };
  const Case cases[] = {
      {198, 140, 228, 150, 130, 80},   // right edge: wider only
      {150, 178, 160, 200, 100, 102},  // bottom edge: higher only
      {199, 179, 179, 159, 80, 60},    // corner: both, smaller
      {198, 140, -500, 140, 1, 80},    // never below 1 x 1
  };
  for (const Case& c : cases) {
    window->SetDimensions(100, 100, 100, 80);
    EXPECT_TRUE(Mouse(kPress, c.pressX, c.pressY));
    Mouse(kTick, c.toX, c.toY);
    EXPECT_EQ(window->GetWidth(), c.width) << c.pressX << "," << c.pressY;
    EXPECT_EQ(window->GetHeight(), c.height) << c.pressX << "," << c.pressY;
    EXPECT_EQ(window->GetLeft(), 100);
    EXPECT_EQ(window->GetTop(), 100);
    ASSERT_NE(window->GetBuffer()->GetBitmap(), nullptr);
    EXPECT_EQ(al_get_bitmap_width(window->GetBuffer()->GetBitmap()), c.width);
    Mouse(kRelease, c.toX, c.toY);
    Mouse(kTick, c.toX + 40, c.toY + 40);
    EXPECT_EQ(window->GetWidth(), c.width);
  }
}

TEST_F(GUIWindowTest, AResizeWindowWithoutBorderImagesOnlyPans) {
  auto* window = Add<GUIResizeWindow>("Resize", nullptr, 100, 100, 100, 80);
  window->SetLock(0);
  EXPECT_TRUE(Mouse(kPress, 199, 179));
  Mouse(kTick, 219, 189);
  EXPECT_EQ(window->GetWidth(), 100);
  EXPECT_EQ(window->GetPicture().GetLeft(), -20);
  EXPECT_EQ(window->GetPicture().GetTop(), -10);
  EXPECT_FALSE(Mouse(kPress, 250, 250));  // outside
}

}  // namespace
