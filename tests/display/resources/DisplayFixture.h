#pragma once

#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <functional>
#include <numbers>
#include <vector>

#include "core/Globals.h"
#include "support/GLDisplay.h"
#include "support/GlobalsFixture.h"

constexpr float kPi = std::numbers::pi_v<float>;
const ALLEGRO_COLOR kBackground = al_map_rgba(25, 50, 75, 255);

// Whether a pixel of ReadPixels shows kBackground's colour (whatever its alpha).
inline bool IsBackground(const uint8_t* p) { return p[0] == 25 && p[1] == 50 && p[2] == 75; }

// An OpenGL display under Xvfb, a 33 x 17 pattern bitmap, and two targets to draw on: the back
// buffer and a video bitmap (whose framebuffer object makes Allegro reload its projection).
class DisplayFixture : public GlobalsFixture {
 protected:
  void SetUp() override {
    display = SharedGLDisplay();
    if (display == nullptr) {
      ASSERT_TRUE(GLDisplayError().empty()) << GLDisplayError();
      GTEST_SKIP() << "no X display";
    }
    pattern = MakePatternBitmap(33, 17);
    ASSERT_NE(pattern, nullptr);
    al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
    canvas = al_create_bitmap(160, 120);
    al_set_new_bitmap_flags(0);
    ASSERT_NE(canvas, nullptr);
    // Setting a target makes Allegro load its own projection and transform again, undoing whatever
    // an earlier test left in those matrices (Allegro never loads the texture matrix).
    al_set_target_backbuffer(display);
    gGLQuadDepth = 0;
  }
  void TearDown() override {
    if (display != nullptr) al_set_target_backbuffer(display);
    if (pattern != nullptr) al_destroy_bitmap(pattern);
    if (canvas != nullptr) al_destroy_bitmap(canvas);
  }

  // The target cleared to the background, `draw` run on it, and its pixels.
  PixelImage Render(ALLEGRO_BITMAP* target, const std::function<void()>& draw) {
    al_set_target_bitmap(target);
    al_clear_to_color(kBackground);
    draw();
    return ReadPixels(target);
  }
  std::vector<ALLEGRO_BITMAP*> Targets() { return {al_get_backbuffer(display), canvas}; }

  ALLEGRO_DISPLAY* display = nullptr;
  ALLEGRO_BITMAP* pattern = nullptr;
  ALLEGRO_BITMAP* canvas = nullptr;
};
