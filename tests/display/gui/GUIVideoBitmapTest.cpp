// Widgets on video bitmaps, on both roads: the border is drawn pixel by pixel under a lock, and a
// write-only lock of a video bitmap would wipe what the widget drew before it.

#include <gtest/gtest.h>
// After gtest: the GL headers bring X11 macros that clash with its names.
#include <allegro5/allegro_opengl.h>

#include <array>
#include <memory>

#include "core/Globals.h"
#include "gui/GUIManager.h"
#include "gui/GUIWindow.h"
#include "resources/ImageObject.h"
#include "support/GLDisplay.h"
#include "support/GlobalsFixture.h"

namespace {

class GUIVideoBitmapTest : public GlobalsFixture, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    display = SharedGLDisplay();
    if (display == nullptr) {
      ASSERT_TRUE(GLDisplayError().empty()) << GLDisplayError();
      GTEST_SKIP() << "no X display";
    }
    al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
    gOpenGLMode = GetParam();
    gGUIManager = (gui = std::make_unique<GUIManager>()).get();
  }
  void TearDown() override {
    gui.reset();
    for (ImageObject& image : pieces) image.Destroy();
    frame.Destroy();
    ResetGlobals();
    if (display != nullptr) al_set_target_backbuffer(display);
  }

  ImageObject* Piece(int index, int w, int h, ALLEGRO_COLOR colour) {
    ImageObject& image = pieces[index];
    image.Create(w, h, &gOpenGLMode);
    image.SetAsTarget();
    al_clear_to_color(colour);
    return &image;
  }

  ALLEGRO_DISPLAY* display = nullptr;
  std::unique_ptr<GUIManager> gui;
  ImageObject pieces[3];
  ImageObject frame;
};

TEST_P(GUIVideoBitmapTest, ABorderedWindowKeepsItsInterior) {
  ASSERT_TRUE(gui->SetActiveObjectList("Base"));
  auto* window = new GUIWindow();
  gui->AddToActiveList("Window", window);
  window->SetDimensions(20, 10, 60, 40);
  window->SetBackgroundColor(0, 0, 200);
  window->SetBorderImages(Piece(0, 4, 4, al_map_rgb(255, 0, 0)),
                          Piece(1, 1, 2, al_map_rgb(0, 255, 0)),
                          Piece(2, 3, 1, al_map_rgb(255, 255, 0)));
  ASSERT_EQ(al_get_bitmap_flags(window->GetBuffer()->GetBitmap()) & ALLEGRO_MEMORY_BITMAP, 0);

  frame.Create(160, 120, &gOpenGLMode);
  for (int drawn = 0; drawn < 2; ++drawn) {  // the second frame redraws the dirty window
    gui->Draw(frame);
    const PixelImage shown = ReadPixels(frame.GetBitmap());
    struct Expect {
      int x, y;
      uint8_t r, g, b;
    };
    const Expect expected[] = {
        {50, 30, 0, 0, 200},   {25, 15, 0, 0, 200},   {74, 44, 0, 0, 200},  // the interior
        {20, 10, 255, 0, 0},   {79, 49, 255, 0, 0},                         // corners
        {50, 10, 0, 255, 0},   {50, 49, 0, 255, 0},   {50, 12, 0, 0, 200},  // top and bottom
        {20, 30, 255, 255, 0}, {79, 30, 255, 255, 0}, {23, 30, 0, 0, 200},  // the sides
        {10, 5, 0, 0, 0},      {100, 100, 0, 0, 0},                         // the frame
    };
    for (const Expect& e : expected) {
      const uint8_t* p = shown.At(e.x, e.y);
      EXPECT_EQ((std::array<int, 4>{p[0], p[1], p[2], p[3]}),
                (std::array<int, 4>{e.r, e.g, e.b, 255}))
          << "(" << e.x << ", " << e.y << ") in frame " << drawn;
    }
  }
}

// Past the display's largest bitmap a widget gets none, rather than a memory bitmap of gigabytes.
TEST_P(GUIVideoBitmapTest, AWidgetPastTheLargestBitmapHasNone) {
  const int largest = al_get_display_option(display, ALLEGRO_MAX_BITMAP_SIZE);
  ASSERT_GT(largest, 0);
  EXPECT_EQ(ImageObject::LargestSide(), largest);
  ASSERT_TRUE(gui->SetActiveObjectList("Base"));
  auto* window = new GUIWindow();
  gui->AddToActiveList("Window", window);
  window->SetDimensions(100, 100, 20000, 20000);
  EXPECT_EQ(window->GetBuffer()->GetBitmap(), nullptr);
  window->SetDimensions(0, 0, largest + 1, 1);
  EXPECT_EQ(window->GetBuffer()->GetBitmap(), nullptr);
  window->SetDimensions(0, 0, largest, 1);
  ASSERT_NE(window->GetBuffer()->GetBitmap(), nullptr);
  EXPECT_EQ(al_get_bitmap_flags(window->GetBuffer()->GetBitmap()) & ALLEGRO_MEMORY_BITMAP, 0);
}

INSTANTIATE_TEST_SUITE_P(Roads, GUIVideoBitmapTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OpenGL" : "Allegro"; });

}  // namespace
