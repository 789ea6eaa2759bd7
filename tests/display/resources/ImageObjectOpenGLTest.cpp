#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "display/resources/DisplayFixture.h"
#include "resources/GLUtilities.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"
#include "support/GLDisplay.h"

namespace {

// The same image drawn on both roads: the render-mode flag it points at picks the road per call.
class ImageObjectOpenGLTest : public DisplayFixture {
 protected:
  void SetUp() override {
    DisplayFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    image.Wrap(pattern, &openGL);
    image.SetDrawOffset(3, -2);
  }

  // The target's pixels after `draw` on the Allegro road and on the OpenGL road.
  std::string CompareRoads(ALLEGRO_BITMAP* target, const std::function<void()>& draw, int slack) {
    openGL = false;
    const PixelImage allegro = Render(target, draw);
    openGL = true;
    gGLQuadDepth = 0;
    const PixelImage quads = Render(target, draw);
    openGL = false;
    return ComparePixels(allegro, quads, 2, slack);
  }

  bool openGL = false;
  ImageObject image;
};

struct DrawCase {
  const char* name;
  std::function<void(const ImageObject&)> draw;
  int slack;  // turned images may sample a neighbouring texel on texel edges
};

TEST_F(ImageObjectOpenGLTest, BothRoadsGiveTheSamePixels) {
  const int h = ALLEGRO_FLIP_HORIZONTAL, v = ALLEGRO_FLIP_VERTICAL;
  const std::vector<DrawCase> cases = {
      {"plain", [](const ImageObject& i) { i.Draw(10, 20); }, 0},
      {"h-flip", [&](const ImageObject& i) { i.DrawAt(10, 20, h); }, 0},
      {"v-flip", [&](const ImageObject& i) { i.DrawAt(10, 20, v); }, 0},
      {"region", [](const ImageObject& i) { i.DrawRegion(4, 2, 21, 11, 40, 50, 0); }, 0},
      {"region h-flip", [&](const ImageObject& i) { i.DrawRegion(4, 2, 21, 11, 40, 50, h); }, 0},
      {"region v-flip", [&](const ImageObject& i) { i.DrawRegion(4, 2, 21, 11, 40, 50, v); }, 0},
      {"scaled", [](const ImageObject& i) { i.DrawScaled(0, 0, 33, 17, 20, 30, 99, 51, 0); }, 0},
      {"scaled region h-flip",
       [&](const ImageObject& i) { i.DrawScaled(3, 1, 12, 9, 20, 30, 36, 18, h); }, 0},
      {"rotated", [](const ImageObject& i) { i.DrawRotated(5, 9, 80, 60, 0.5f, 0); }, 1},
      {"rotated 90 v-flip", [&](const ImageObject& i) { i.DrawRotated(5, 9, 80, 60, kPi / 2, v); },
       1},
      {"rotated about centre",
       [](const ImageObject& i) { i.DrawRotatedAboutCentre(80, 60, -2.0f, 0); }, 1},
  };
  for (ALLEGRO_BITMAP* target : Targets()) {
    for (const DrawCase& c : cases) {
      EXPECT_EQ(CompareRoads(
                    target, [&] { c.draw(image); }, c.slack),
                "")
          << c.name << (target == canvas ? " on a video bitmap" : " on the back buffer");
    }
  }
  // Those draws really were quads.
  openGL = true;
  gGLQuadDepth = 0;
  al_set_target_backbuffer(display);
  image.Draw(0, 0);
  EXPECT_GT(gGLQuadDepth, 0.0f);
}

// Runs of draws with the drawing held land on the very pixels the same draws give one by one, at
// the same depths: runs of one image broken by another image, a turned draw, a blender change,
// a clear and a change of target, and what is gathered is drawn when the hold ends.
TEST_F(ImageObjectOpenGLTest, HeldDrawsGiveThePixelsOfDrawsOneByOne) {
  ImageObject other;
  other.Wrap(MakePatternBitmap(12, 9), &openGL);
  ImageObject scratch;
  scratch.Create(16, 16, &openGL);
  openGL = true;
  const auto scene = [&](ALLEGRO_BITMAP* target) {
    for (int k = 0; k < 6; ++k) image.DrawAt(7 * k, 3 * k, k % 4);
    image.DrawRegion(4, 2, 21, 11, 40, 50, 0);
    other.Draw(20, 30);
    other.DrawScaled(0, 0, 12, 9, 90, 10, 30, 25, 0);
    image.Draw(25, 35);
    image.DrawRotated(5, 9, 80, 60, 0.5f, 0);
    image.Draw(100, 70);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ONE);
    image.Draw(105, 75);
    image.Draw(110, 80);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_INVERSE_ALPHA);
    scratch.ClearToColor(200, 10, 10, 255);
    scratch.DrawRegion(0, 0, 8, 8, 120, 5, 0);
    image.Draw(60, 90);
    scratch.SetAsTarget();
    image.Draw(0, 0);
    al_set_target_bitmap(target);
    scratch.Draw(140, 90);
    image.Draw(130, 100);
  };
  for (ALLEGRO_BITMAP* target : Targets()) {
    gGLQuadDepth = 0;
    const PixelImage oneByOne = Render(target, [&] { scene(target); });
    const float depth = gGLQuadDepth;
    gGLQuadDepth = 0;
    const PixelImage held = Render(target, [&] {
      const GLHeldDrawing hold;
      scene(target);
    });
    EXPECT_EQ(gGLQuadDepth, depth);
    EXPECT_EQ(ComparePixels(oneByOne, held, 0), "")
        << (target == canvas ? "on a video bitmap" : "on the back buffer");
  }
  openGL = false;
  scratch.Destroy();
  al_destroy_bitmap(other.GetBitmap());
}

// Memory bitmaps have no texture, and OpenGL cannot draw into one: those draws take the Allegro
// road in OpenGL mode.
TEST_F(ImageObjectOpenGLTest, MemoryBitmapsFallBackToAllegro) {
  al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
  ALLEGRO_BITMAP* memoryPattern = al_clone_bitmap(pattern);
  ALLEGRO_BITMAP* memoryTarget = al_create_bitmap(96, 64);
  al_set_new_bitmap_flags(0);
  ImageObject memoryImage;
  memoryImage.Wrap(memoryPattern, &openGL);

  EXPECT_EQ(
      CompareRoads(
          al_get_backbuffer(display), [&] { memoryImage.DrawRotated(5, 9, 80, 60, 0.5f, 1); }, 1),
      "");
  EXPECT_EQ(CompareRoads(
                memoryTarget, [&] { image.DrawScaled(0, 0, 33, 17, 5, 6, 50, 40, 2); }, 0),
            "");
  EXPECT_EQ(gGLQuadDepth, 0.0f);
  al_set_target_backbuffer(display);
  al_destroy_bitmap(memoryPattern);
  al_destroy_bitmap(memoryTarget);
}

// A clear on the OpenGL road fills the image through its framebuffer and leaves the drawing
// target where it was: the next draw still lands on that target.
TEST_F(ImageObjectOpenGLTest, ClearsFillTheImageAndKeepTheTarget) {
  ImageObject owned;
  owned.Create(24, 12, &openGL);
  ImageObject sprite;
  al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
  sprite.Create(8, 8, &openGL);
  al_set_new_bitmap_flags(0);
  struct Clear {
    const char* name;
    std::function<void(ImageObject&)> clear;
    unsigned char r, g, b, a;
  };
  const std::vector<Clear> clears = {
      {"black", [](ImageObject& i) { i.ClearToBlack(); }, 0, 0, 0, 255},
      {"transparent", [](ImageObject& i) { i.ClearToTransparent(); }, 0, 0, 0, 0},
      {"colour", [](ImageObject& i) { i.ClearToColor(200, 100, 50, 128); }, 200, 100, 50, 128},
  };
  for (const Clear& c : clears) {
    openGL = true;
    const PixelImage drawn = Render(canvas, [&] {
      c.clear(owned);
      EXPECT_EQ(al_get_target_bitmap(), canvas) << c.name;
      sprite.ClearToColor(255, 255, 255, 255);
      sprite.Draw(0, 0);
    });
    const PixelImage cleared = ReadPixels(owned.GetBitmap());
    for (int i = 0; i < 24 * 12; ++i) {
      const uint8_t* p = &cleared.rgba[static_cast<size_t>(i) * 4];
      ASSERT_TRUE(p[0] == c.r && p[1] == c.g && p[2] == c.b && p[3] == c.a)
          << c.name << " pixel " << i << ": " << int{p[0]} << "," << int{p[1]} << "," << int{p[2]}
          << "," << int{p[3]};
    }
    const uint8_t* corner = drawn.At(4, 4);  // inside the sprite
    EXPECT_TRUE(corner[0] == 255 && corner[1] == 255 && corner[2] == 255) << c.name;
    EXPECT_TRUE(IsBackground(drawn.At(20, 20))) << c.name;
  }
  // The back buffer has no framebuffer of its own: it is cleared as on the Allegro road.
  ImageObject backBuffer;
  backBuffer.Wrap(al_get_backbuffer(display), &openGL);
  al_set_target_bitmap(canvas);
  backBuffer.ClearToColor(9, 8, 7, 255);
  const PixelImage screen = ReadPixels(al_get_backbuffer(display));
  EXPECT_TRUE(screen.At(100, 100)[0] == 9 && screen.At(100, 100)[2] == 7);
  openGL = false;
}

// On a video bitmap a write-only lock loses every pixel it does not write: the paletted draw and
// the mirrored copies must leave the rest of the target as it was, on either road.
TEST_F(ImageObjectOpenGLTest, PalettedDrawsAndMirroredCopiesKeepTheTargetsOtherPixels) {
  const auto expectBackgroundBut = [&](const PixelImage& drawn, int x0, int y0, int w, int h,
                                       const std::string& what) {
    int changed = 0;
    for (int y = 0; y < drawn.height; ++y) {
      for (int x = 0; x < drawn.width; ++x) {
        if (x >= x0 && x < x0 + w && y >= y0 && y < y0 + h) continue;
        const uint8_t* p = drawn.At(x, y);
        changed += IsBackground(p) ? 0 : 1;
      }
    }
    EXPECT_EQ(changed, 0) << what;
  };

  PaletteSet palette(2, 2);
  palette.SetColour(0, 0, al_map_rgba(255, 0, 0, 255));
  palette.SetColour(0, 1, al_map_rgba(0, 255, 0, 255));
  palette.SetColour(1, 0, al_map_rgba(0, 0, 255, 255));
  palette.SetColour(1, 1, al_map_rgba(255, 255, 255, 255));
  ImageObject sprite;
  al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
  sprite.Create(3, 1, &openGL);
  al_set_new_bitmap_flags(0);
  sprite.SetAsTarget();
  al_put_pixel(0, 0, al_map_rgba(255, 0, 0, 255));
  al_put_pixel(1, 0, al_map_rgba(0, 255, 0, 255));
  al_put_pixel(2, 0, al_map_rgba(9, 9, 9, 255));  // in no row: not drawn
  sprite.BuildPaletteIndex(&palette, GlobalPaletteNumberAddress());
  ASSERT_TRUE(sprite.IsPaletted());
  SetGlobalPaletteNumber(1);
  for (const bool road : {false, true}) {
    openGL = road;
    const PixelImage drawn = Render(canvas, [&] { sprite.Draw(10, 20); });
    const std::string what = road ? "paletted, OpenGL mode" : "paletted";
    EXPECT_TRUE(drawn.At(10, 20)[2] == 255 && drawn.At(10, 20)[0] == 0) << what;
    EXPECT_TRUE(drawn.At(11, 20)[0] == 255 && drawn.At(11, 20)[1] == 255) << what;
    expectBackgroundBut(drawn, 10, 20, 2, 1, what);
  }
  openGL = false;
  SetGlobalPaletteNumber(0);
  sprite.Destroy();

  const PixelImage copied = Render(
      canvas, [&] { CopyBitmapRegionMirroredLocked(pattern, canvas, 4, 2, 12, 9, 30, 40, 3); });
  expectBackgroundBut(copied, 30, 40, 12, 9, "mirrored copy");
  // The copy itself: source (4, 2) lands at the far corner.
  const PixelImage source = ReadPixels(pattern);
  EXPECT_TRUE(std::equal(source.At(4, 2), source.At(4, 2) + 4, copied.At(41, 48)));
  expectBackgroundBut(Render(canvas, [&] { CopyBitmapMirrored(pattern, canvas, 0, 0, 5, 5, 1); }),
                      0, 0, 5, 5, "mirrored copy at the corner");
}

}  // namespace
