#include <gtest/gtest.h>
// After gtest: the GL headers bring X11 macros that clash with its names.
#include <allegro5/allegro_opengl.h>
#include <allegro5/allegro_primitives.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "core/Globals.h"
#include "display/resources/DisplayFixture.h"
#include "resources/GLUtilities.h"
#include "support/GLDisplay.h"

namespace {

class GLUtilitiesTest : public DisplayFixture {};

struct RoadCase {
  const char* name;
  std::function<void(ALLEGRO_BITMAP*)> allegro;
  std::function<void(ALLEGRO_BITMAP*)> gl;
  int slack;  // turned quads may sample a neighbouring texel on texel edges
};

TEST_F(GLUtilitiesTest, QuadsGiveTheAllegroPixels) {
  const int h = ALLEGRO_FLIP_HORIZONTAL, v = ALLEGRO_FLIP_VERTICAL;
  const ALLEGRO_COLOR tint = al_map_rgba_f(1.0f, 0.5f, 0.25f, 1.0f);
  const std::vector<RoadCase> cases = {
      {"plain", [](auto* b) { al_draw_bitmap(b, 10, 20, 0); },
       [](auto* b) { GLDrawBitmap(b, 10, 20, 0); }, 0},
      {"h-flip", [&](auto* b) { al_draw_bitmap(b, 10, 20, h); },
       [&](auto* b) { GLDrawBitmap(b, 10, 20, h); }, 0},
      {"v-flip", [&](auto* b) { al_draw_bitmap(b, 10, 20, v); },
       [&](auto* b) { GLDrawBitmap(b, 10, 20, v); }, 0},
      {"both flips", [&](auto* b) { al_draw_bitmap(b, 10, 20, h | v); },
       [&](auto* b) { GLDrawBitmap(b, 10, 20, h | v); }, 0},
      {"region", [](auto* b) { al_draw_bitmap_region(b, 5, 3, 20, 10, 40, 50, 0); },
       [](auto* b) { GLDrawBitmapRegion(b, 5, 3, 20, 10, 40, 50, 0); }, 0},
      {"region h-flip", [&](auto* b) { al_draw_bitmap_region(b, 5, 3, 20, 10, 40, 50, h); },
       [&](auto* b) { GLDrawBitmapRegion(b, 5, 3, 20, 10, 40, 50, h); }, 0},
      {"region v-flip", [&](auto* b) { al_draw_bitmap_region(b, 5, 3, 20, 10, 40, 50, v); },
       [&](auto* b) { GLDrawBitmapRegion(b, 5, 3, 20, 10, 40, 50, v); }, 0},
      {"scaled", [](auto* b) { al_draw_scaled_bitmap(b, 2, 2, 20, 12, 30, 40, 60, 36, 0); },
       [](auto* b) { GLDrawScaledBitmap(b, 2, 2, 20, 12, 30, 40, 60, 36, 0); }, 0},
      {"scaled down v-flip",
       [&](auto* b) { al_draw_scaled_bitmap(b, 0, 0, 33, 17, 30, 40, 11, 17, v); },
       [&](auto* b) { GLDrawScaledBitmap(b, 0, 0, 33, 17, 30, 40, 11, 17, v); }, 0},
      {"rotated 90", [](auto* b) { al_draw_rotated_bitmap(b, 8, 4, 80, 60, kPi / 2, 0); },
       [](auto* b) { GLDrawRotatedBitmap(b, 8, 4, 80, 60, 90, 0); }, 1},
      {"rotated 30 about centre",
       [](auto* b) { al_draw_rotated_bitmap(b, 16, 8, 80, 60, kPi / 6, 0); },
       [](auto* b) { GLDrawRotatedBitmap(b, 16, 8, 80, 60, 30, 0); }, 1},
      // Not 45 degrees: there pixel centres fall exactly on texel edges along a diagonal, and which
      // texel wins is down to rounding.
      {"rotated -40 h-flip",
       [&](auto* b) { al_draw_rotated_bitmap(b, 4, 12, 70, 50, -40 * kPi / 180, h); },
       [&](auto* b) { GLDrawRotatedBitmap(b, 4, 12, 70, 50, -40, h); }, 1},
      {"rotated 10 v-flip",
       [&](auto* b) { al_draw_rotated_bitmap(b, 30, 2, 70, 50, 10 * kPi / 180, v); },
       [&](auto* b) { GLDrawRotatedBitmap(b, 30, 2, 70, 50, 10, v); }, 1},
      {"scaled and rotated",
       [](auto* b) { al_draw_scaled_rotated_bitmap(b, 16, 8, 80, 60, 2.0f, 1.5f, kPi / 3, 0); },
       [](auto* b) { GLDrawScaledRotatedBitmap(b, 16, 8, 80, 60, 2.0f, 1.5f, 60, 0); }, 1},
      {"tinted", [&](auto* b) { al_draw_tinted_bitmap(b, tint, 10, 20, 0); },
       [&](auto* b) { GLDrawTinted(b, tint, 10, 20, 0); }, 0},
      {"tinted scaled region",
       [&](auto* b) { al_draw_tinted_scaled_bitmap(b, tint, 1, 1, 10, 10, 5, 5, 30, 20, 0); },
       [&](auto* b) { GLDrawTintedScaledRegion(b, tint, 1, 1, 10, 10, 5, 5, 30, 20, 0); }, 0},
  };
  for (ALLEGRO_BITMAP* target : Targets()) {
    for (const RoadCase& c : cases) {
      const PixelImage expected = Render(target, [&] { c.allegro(pattern); });
      const PixelImage actual = Render(target, [&] { c.gl(pattern); });
      EXPECT_EQ(ComparePixels(expected, actual, 2, c.slack), "")
          << c.name << (target == canvas ? " on a video bitmap" : " on the back buffer");
    }
  }
}

TEST_F(GLUtilitiesTest, SubBitmapAndMemoryBitmapDrawLikeAllegro) {
  ALLEGRO_BITMAP* sub = al_create_sub_bitmap(pattern, 6, 4, 20, 9);
  al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
  ALLEGRO_BITMAP* memoryCopy = al_clone_bitmap(pattern);
  ALLEGRO_BITMAP* memoryTarget = al_create_bitmap(64, 48);
  al_set_new_bitmap_flags(0);
  ASSERT_NE(sub, nullptr);
  ASSERT_NE(memoryCopy, nullptr);
  ASSERT_FALSE(GLCanDraw(memoryCopy));

  for (ALLEGRO_BITMAP* target : Targets()) {
    EXPECT_EQ(
        ComparePixels(Render(target, [&] { al_draw_bitmap_region(sub, 2, 1, 15, 7, 9, 8, 1); }),
                      Render(target, [&] { GLDrawBitmapRegion(sub, 2, 1, 15, 7, 9, 8, 1); }), 2),
        "")
        << "sub-bitmap";
    EXPECT_EQ(ComparePixels(Render(target, [&] { al_draw_bitmap(memoryCopy, 10, 20, 2); }),
                            Render(target, [&] { GLDrawBitmap(memoryCopy, 10, 20, 2); }), 2),
              "")
        << "memory bitmap";
  }
  // Onto a memory target OpenGL cannot draw at all: Allegro draws instead.
  EXPECT_EQ(
      ComparePixels(
          Render(memoryTarget, [&] { al_draw_rotated_bitmap(pattern, 3, 4, 30, 20, kPi / 2, 1); }),
          Render(memoryTarget, [&] { GLDrawRotatedBitmap(pattern, 3, 4, 30, 20, 90, 1); }), 2, 1),
      "");
  al_set_target_backbuffer(display);
  al_destroy_bitmap(sub);
  al_destroy_bitmap(memoryCopy);
  al_destroy_bitmap(memoryTarget);
}

// A region reaching past the bitmap shows only the part inside it, where the uncut region would
// have put that part; a flipped one shows it mirrored inside the same uncut rectangle.
TEST_F(GLUtilitiesTest, RegionsAreClippedToTheBitmap) {
  ALLEGRO_BITMAP* target = al_get_backbuffer(display);
  struct Clip {
    const char* name;
    float sx, sy, sw, sh;
    int flags;
    float ex, ey, ew, eh, edx, edy;  // the Allegro region and place that show the same
  };
  const std::vector<Clip> clips = {
      {"past the right edge", 20, 0, 20, 17, 0, 20, 0, 13, 17, 50, 40},
      {"before the left edge", -5, 0, 20, 17, 0, 0, 0, 15, 17, 55, 40},
      {"above the top", 0, -4, 10, 10, 0, 0, 0, 10, 6, 50, 44},
      {"before the left edge, flipped", -5, 0, 20, 17, 1, 0, 0, 15, 17, 50, 40},
      {"below the bottom, flipped", 0, 10, 10, 10, 2, 0, 10, 10, 7, 50, 43},
  };
  for (const Clip& c : clips) {
    const PixelImage expected = Render(target, [&] {
      al_draw_bitmap_region(pattern, c.ex, c.ey, c.ew, c.eh, c.edx, c.edy, c.flags);
    });
    const PixelImage actual = Render(
        target, [&] { GLDrawBitmapRegion(pattern, c.sx, c.sy, c.sw, c.sh, 50, 40, c.flags); });
    EXPECT_EQ(ComparePixels(expected, actual, 2), "") << c.name;
  }
  // 32 pixels wide from 20 with 20: 12 columns drawn.
  ALLEGRO_BITMAP* narrow = MakePatternBitmap(32, 8);
  const PixelImage drawn =
      Render(target, [&] { GLDrawBitmapRegion(narrow, 20, 0, 20, 8, 0, 0, 0); });
  int columns = 0;
  for (int x = 0; x < 40; ++x) {
    const uint8_t* p = drawn.At(x, 5);
    if (!IsBackground(p)) ++columns;
  }
  EXPECT_EQ(columns, 12);
  al_destroy_bitmap(narrow);
}

TEST_F(GLUtilitiesTest, EmptyRegionsDrawNothing) {
  ALLEGRO_BITMAP* target = al_get_backbuffer(display);
  const PixelImage blank = Render(target, [] {});
  const std::vector<std::function<void()>> draws = {
      [&] { GLDrawBitmapRegion(pattern, 0, 0, 0, 10, 5, 5, 0); },
      [&] { GLDrawBitmapRegion(pattern, 0, 0, 10, 0, 5, 5, 0); },
      [&] { GLDrawBitmapRegion(pattern, 40, 0, 10, 10, 5, 5, 0); },
      [&] { GLDrawBitmapRegion(pattern, -20, 0, 10, 10, 5, 5, 0); },
      [&] { GLDrawScaledBitmap(pattern, 0, 0, 0, 0, 5, 5, 40, 40, 0); },
      [&] { GLDrawScaledBitmap(pattern, 0, 0, 10, 0, 5, 5, 40, 40, 0); },
      [&] { GLDrawBitmap(nullptr, 5, 5, 0); },
  };
  for (size_t i = 0; i < draws.size(); ++i) {
    EXPECT_EQ(ComparePixels(blank, Render(target, draws[i]), 0), "") << "draw " << i;
  }
}

TEST_F(GLUtilitiesTest, EachQuadLiesOneStepDeeper) {
  al_set_target_backbuffer(display);
  GLDrawBitmap(pattern, 0, 0, 0);
  EXPECT_NEAR(gGLQuadDepth, 0.01f, 1e-6f);
  GLDrawBitmap(pattern, 0, 0, 0);
  EXPECT_NEAR(gGLQuadDepth, 0.02f, 1e-6f);
  gGLQuadDepth = kGLQuadDepthLimit;
  GLDrawBitmap(pattern, 0, 0, 0);
  EXPECT_EQ(gGLQuadDepth, kGLQuadDepthLimit);
}

// A thousand quads in one frame, with target changes in between (each reloads Allegro's own
// projection, which would clip every quad past depth 1): every one is drawn.
TEST_F(GLUtilitiesTest, AThousandQuadsInOneFrameAreAllDrawn) {
  ALLEGRO_BITMAP* dot = MakePatternBitmap(4, 4);
  ALLEGRO_BITMAP* target = al_get_backbuffer(display);
  const PixelImage drawn = Render(target, [&] {
    for (int i = 0; i < 1000; ++i) {
      if (i % 250 == 0) {
        al_set_target_bitmap(canvas);
        al_set_target_backbuffer(display);
      }
      GLDrawBitmap(dot, static_cast<float>((i % 40) * 6), static_cast<float>((i / 40) * 6), 0);
    }
  });
  int missing = 0;
  for (int i = 0; i < 1000; ++i) {
    const uint8_t* p = drawn.At((i % 40) * 6 + 3, (i / 40) * 6 + 3);
    if (IsBackground(p)) ++missing;
  }
  EXPECT_EQ(missing, 0);
  EXPECT_NEAR(gGLQuadDepth, 10.0f, 0.01f);
  al_destroy_bitmap(dot);
}

// Whatever matrices were in place before a quad are in place after it, and an Allegro draw after a
// quad still lands where Allegro puts it.
TEST_F(GLUtilitiesTest, QuadsPutTheMatricesBack) {
  al_set_target_backbuffer(display);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 256, 0, 256, 0, 1280);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScalef(2, 2, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(3, 4, 5);
  GLfloat before[3][16], after[3][16];
  glGetFloatv(GL_PROJECTION_MATRIX, before[0]);
  glGetFloatv(GL_MODELVIEW_MATRIX, before[1]);
  glGetFloatv(GL_TEXTURE_MATRIX, before[2]);
  GLDrawRotatedBitmap(pattern, 1, 1, 30, 30, 20, 1);
  GLFillRect(5, 5, 10, 10, 1, 1, 1, 1);
  glGetFloatv(GL_PROJECTION_MATRIX, after[0]);
  glGetFloatv(GL_MODELVIEW_MATRIX, after[1]);
  glGetFloatv(GL_TEXTURE_MATRIX, after[2]);
  for (int m = 0; m < 3; ++m) {
    for (int i = 0; i < 16; ++i) EXPECT_EQ(before[m][i], after[m][i]) << m << "," << i;
  }
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  // Allegro never loads the texture matrix itself.
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);

  ALLEGRO_BITMAP* target = al_get_backbuffer(display);
  const PixelImage expected = Render(target, [&] { al_draw_bitmap(pattern, 10, 10, 0); });
  const PixelImage actual = Render(target, [&] {
    GLDrawBitmap(pattern, 100, 100, 0);
    al_clear_to_color(kBackground);
    al_draw_bitmap(pattern, 10, 10, 0);
  });
  EXPECT_EQ(ComparePixels(expected, actual, 0), "");
}

TEST_F(GLUtilitiesTest, FillRectTakesTopThenLeft) {
  al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
  ALLEGRO_BITMAP* memoryTarget = al_create_bitmap(64, 32);
  al_set_new_bitmap_flags(0);
  std::vector<ALLEGRO_BITMAP*> targets = Targets();
  targets.push_back(memoryTarget);
  for (ALLEGRO_BITMAP* target : targets) {
    const PixelImage expected = Render(target, [] {
      al_draw_filled_rectangle(20, 10, 50, 15, al_map_rgba_f(0.8f, 0.4f, 0.2f, 1));
    });
    const PixelImage actual =
        Render(target, [] { GLFillRect(10, 20, 30, 5, 0.8f, 0.4f, 0.2f, 1); });
    EXPECT_EQ(ComparePixels(expected, actual, 1), "");
  }
  al_set_target_backbuffer(display);
  al_destroy_bitmap(memoryTarget);
}

TEST_F(GLUtilitiesTest, CheckGLErrorReportsOnStandardOutput) {
  while (glGetError() != GL_NO_ERROR) {
  }
  testing::internal::CaptureStdout();
  EXPECT_EQ(CheckGLError(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

  glEnable(0xFFFF);  // not a capability: GL_INVALID_ENUM
  testing::internal::CaptureStdout();
  EXPECT_EQ(CheckGLError(), GL_INVALID_ENUM);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "OpenGL Error[1280]\n");
  EXPECT_EQ(CheckGLError(), 0);
}

TEST_F(GLUtilitiesTest, PerspectiveOfNinetyDegreesIsTheUnitFrustum) {
  al_set_target_backbuffer(display);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  GLSetPerspective(90, 1, 1, 100);
  GLfloat m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 1, 100);
  GLfloat expected[16];
  glGetFloatv(GL_PROJECTION_MATRIX, expected);
  glMatrixMode(GL_MODELVIEW);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-5f) << i;
}

// Clearing through the framebuffer fills only that bitmap and leaves Allegro's target bound: the
// next Allegro draw still lands on the back buffer.
TEST_F(GLUtilitiesTest, FramebufferClearLeavesTheTargetAlone) {
  ALLEGRO_BITMAP* target = al_get_backbuffer(display);
  ALLEGRO_BITMAP* sub = al_create_sub_bitmap(canvas, 10, 20, 30, 40);
  Render(canvas, [] {});
  const PixelImage expected = Render(target, [&] { al_draw_bitmap(pattern, 10, 10, 0); });
  const PixelImage actual = Render(target, [&] {
    EXPECT_TRUE(GLClearBitmap(sub, 200, 100, 50, 255));
    al_draw_bitmap(pattern, 10, 10, 0);
  });
  EXPECT_EQ(ComparePixels(expected, actual, 0), "");
  EXPECT_FALSE(GLClearBitmap(target, 0, 0, 0, 255));

  const PixelImage cleared = ReadPixels(canvas);
  for (const auto& [x, y, inside] : std::vector<std::tuple<int, int, bool>>{
           {10, 20, true}, {39, 59, true}, {9, 20, false}, {40, 59, false}, {10, 60, false}}) {
    const uint8_t* p = cleared.At(x, y);
    if (inside) {
      EXPECT_TRUE(p[0] == 200 && p[1] == 100 && p[2] == 50 && p[3] == 255) << x << "," << y;
    } else {
      EXPECT_TRUE(IsBackground(p)) << x << "," << y;
    }
  }
  al_destroy_bitmap(sub);
}

}  // namespace
