#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/script/PropertyManager.h"
#include "gui/GUIButton.h"
#include "gui/GUIColorBox.h"
#include "gui/GUIImage.h"
#include "gui/GUISmartTextLine.h"
#include "gui/GUITextLine.h"
#include "gui/GUIWindow.h"
#include "support/WidgetFixture.h"

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kGrey{90, 90, 90, 255};
constexpr Rgba kMarker{1, 2, 3, 255};

// A window that holds a window that holds one widget of each kind that shows state: buffers are
// drawn again only when what they show changed, and every change shows on the next frame.
class GUIRedrawTest : public WidgetFixture {
 protected:
  GUIRedrawTest() {
    Solid("Buttons", "Up", 10, 10, kRed);
    Solid("Buttons", "Over", 10, 10, kGreen);
    Solid("Buttons", "Down", 10, 10, kBlue);
    Solid("Misc", "RedPicture", 10, 10, kRed);
    Solid("Misc", "BluePicture", 10, 10, kBlue);
    top = Add<GUIWindow>("Top", nullptr, 0, 0, 200, 200);
    top->SetBackgroundColor(0, 0, 255);
    inner = Add<GUIWindow>("Inner", top, 10, 10, 120, 120);
    inner->SetBackgroundColor(90, 90, 90);
    image = Add<GUIImage>("Picture", inner, 0, 0, 10, 10);
    image->SetImage("RedPicture");
    button = Add<GUIButton>("Button", inner, 20, 0, 10, 10);
    button->SetImages("Up", "Over", "Down");
    box = Add<GUIColorBox>("Box", inner, 40, 0, 10, 10);
    line = Add<GUITextLine>("Line", inner, 0, 40, 10, 16);
    watch = Add<GUISmartTextLine>("Watch", inner, 0, 70, 10, 16);
    watch->WatchProperty("GUI", "Box", "Red");
    Frame();
  }

  // A tick with the mouse where it is, as the game runs before each frame, then the frame.
  void Frame() {
    gui->DispatchMouse(GUIBaseObject::kTick);
    FramePixel(0, 0);
  }
  Rgba At(int x, int y) const { return PixelAt(frame.GetBitmap(), x, y); }
  // The frame's pixels in the rectangle, row by row.
  std::vector<Rgba> Area(int x, int y, int w, int h) const {
    std::vector<Rgba> pixels;
    for (int j = y; j < y + h; ++j) {
      for (int i = x; i < x + w; ++i) pixels.push_back(At(i, j));
    }
    return pixels;
  }
  // Paints one pixel into the top window's buffer behind the GUI's back: it survives exactly as
  // long as the buffer is not drawn again.
  void Mark() {
    al_set_target_bitmap(top->GetBuffer()->GetBitmap());
    al_put_pixel(199, 199, al_map_rgba(kMarker.r, kMarker.g, kMarker.b, kMarker.a));
  }
  bool Marked() const { return At(199, 199) == kMarker; }

  GUIWindow* top = nullptr;
  GUIWindow* inner = nullptr;
  GUIImage* image = nullptr;
  GUIButton* button = nullptr;
  GUIColorBox* box = nullptr;
  GUITextLine* line = nullptr;
  GUISmartTextLine* watch = nullptr;
};

TEST_F(GUIRedrawTest, AnUnchangedTreeIsComposedFromItsBuffers) {
  EXPECT_EQ(At(15, 15), kRed);
  EXPECT_EQ(At(150, 150), kBlue);
  Mark();
  for (int i = 0; i < 3; ++i) {
    Frame();
    EXPECT_TRUE(Marked()) << "frame " << i;
  }
  // A hover that changes nothing the button shows redraws nothing either.
  gui->SetMousePosition(100, 100);
  Frame();
  EXPECT_TRUE(Marked());
}

TEST_F(GUIRedrawTest, EveryChangeShowsOnTheNextFrame) {
  const auto lineArea = [&] { return Area(10, 50, 10, 16); };
  const auto watchArea = [&] { return Area(10, 80, 30, 16); };
  struct Case {
    const char* what;
    std::function<void()> change;
    std::function<bool()> shown;
  };
  std::vector<Rgba> before;
  const std::vector<Case> cases = {
      {"a text set", [&] { before = lineArea(), line->SetString("W"); },
       [&] { return lineArea() != before; }},
      {"a picture set", [&] { image->SetImage("BluePicture"); },
       [&] { return At(15, 15) == kBlue; }},
      {"a hover", [&] { gui->SetMousePosition(35, 15); }, [&] { return At(35, 15) == kGreen; }},
      {"a hover ended", [&] { gui->SetMousePosition(150, 150); },
       [&] { return At(35, 15) == kRed; }},
      {"a routed colour", [&] { box->SetColorData(0, 255, 0, 255); },
       [&] { return At(55, 15) == kGreen; }},
      {"a watched value", [&] { before = watchArea(), box->SetColorData(7, 255, 0, 255); },
       [&] { return watchArea() != before; }},
      {"a window recoloured", [&] { inner->SetBackgroundColor(255, 0, 0); },
       [&] { return At(100, 100) == kRed; }},
      {"a child moved", [&] { inner->MoveBy(50, 0); },
       [&] { return At(15, 100) == kBlue && At(175, 100) == kRed; }},
      {"a child hidden", [&] { inner->Hide(); }, [&] { return At(100, 100) == kBlue; }},
      {"a child shown", [&] { inner->Show(); }, [&] { return At(100, 100) == kRed; }},
      {"a child resized", [&] { inner->SetDimensions(60, 10, 20, 20); },
       [&] { return At(100, 100) == kBlue && At(70, 20) == kRed; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Mark();
    c.change();
    Frame();
    EXPECT_TRUE(c.shown());
    EXPECT_FALSE(Marked());
  }
}

TEST_F(GUIRedrawTest, ChildrenReorderedShowTheNewFront) {
  auto* back = Add<GUIColorBox>("Back", top, 150, 150, 20, 20);
  back->SetColorData(255, 0, 0, 255);
  auto* front = Add<GUIColorBox>("Front", top, 160, 160, 20, 20);
  front->SetColorData(0, 255, 0, 255);
  top->GetChildren().RemovePointer(front);
  top->GetChildren().AddHead("Front", front);
  Frame();
  EXPECT_EQ(At(165, 165), kGreen);
  Mark();
  gui->BringToFront(top, back);
  Frame();
  EXPECT_EQ(At(165, 165), kRed);
  EXPECT_FALSE(Marked());
}

}  // namespace
