#include "support/GLDisplay.h"

#include <allegro5/allegro_primitives.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
std::string& ErrorText() {
  static std::string text;
  return text;
}
}  // namespace

ALLEGRO_DISPLAY* SharedGLDisplay(int width, int height) {
  static bool tried = false;
  static ALLEGRO_DISPLAY* display = nullptr;
  if (tried) return display;
  tried = true;
  const char* x = std::getenv("DISPLAY");
  if (x == nullptr || *x == '\0') return nullptr;
  if (!al_install_system(ALLEGRO_VERSION_INT, std::atexit)) {
    ErrorText() = "Allegro could not start";
    return nullptr;
  }
  al_init_primitives_addon();
  al_set_new_display_flags(ALLEGRO_WINDOWED | ALLEGRO_OPENGL);
  display = al_create_display(width, height);
  if (display == nullptr) ErrorText() = std::string("no OpenGL display on ") + x;
  return display;
}

const std::string& GLDisplayError() { return ErrorText(); }

PixelImage ReadPixels(ALLEGRO_BITMAP* bitmap) {
  PixelImage image;
  image.width = al_get_bitmap_width(bitmap);
  image.height = al_get_bitmap_height(bitmap);
  image.rgba.assign(static_cast<size_t>(image.width) * image.height * 4, 0);
  ALLEGRO_LOCKED_REGION* region =
      al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
  if (region == nullptr) return image;
  for (int y = 0; y < image.height; ++y) {
    const auto* row = static_cast<const uint8_t*>(region->data) + y * region->pitch;
    std::memcpy(&image.rgba[static_cast<size_t>(y) * image.width * 4], row,
                static_cast<size_t>(image.width) * 4);
  }
  al_unlock_bitmap(bitmap);
  return image;
}

namespace {
bool Close(const uint8_t* a, const uint8_t* b, int tolerance) {
  for (int c = 0; c < 4; ++c) {
    if (std::abs(a[c] - b[c]) > tolerance) return false;
  }
  return true;
}

std::string Describe(const uint8_t* p) {
  return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]) + "," +
         std::to_string(p[3]);
}
}  // namespace

std::string ComparePixels(const PixelImage& expected, const PixelImage& actual, int tolerance,
                          int slack) {
  if (expected.width != actual.width || expected.height != actual.height)
    return "the images differ in size";
  int differing = 0;
  std::string first;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      bool matched = false;
      for (int ny = std::max(0, y - slack); ny <= std::min(expected.height - 1, y + slack); ++ny) {
        for (int nx = std::max(0, x - slack); nx <= std::min(expected.width - 1, x + slack); ++nx)
          matched = matched || Close(expected.At(nx, ny), actual.At(x, y), tolerance);
      }
      if (matched) continue;
      if (++differing <= 5) {
        first += " (" + std::to_string(x) + "," + std::to_string(y) + ") expected " +
                 Describe(expected.At(x, y)) + " got " + Describe(actual.At(x, y));
      }
    }
  }
  if (differing == 0) return "";
  return std::to_string(differing) + " pixels differ:" + first;
}

ALLEGRO_BITMAP* MakePatternBitmap(int width, int height) {
  ALLEGRO_BITMAP* previous = al_get_target_bitmap();
  al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
  ALLEGRO_BITMAP* bitmap = al_create_bitmap(width, height);
  al_set_new_bitmap_flags(0);
  if (bitmap == nullptr) return nullptr;
  al_set_target_bitmap(bitmap);
  al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_WRITEONLY);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      unsigned char r = static_cast<unsigned char>(40 + x * 7);
      unsigned char g = static_cast<unsigned char>(30 + y * 11);
      unsigned char b = static_cast<unsigned char>((x * 5 + y * 3) * 3);
      unsigned char a = 255;
      if (y == height / 2) {
        // Premultiplied half-transparent pixels, as Allegro's default blender expects.
        r /= 2, g /= 2, b /= 2, a = 128;
      }
      if (x < 3 && y < 3) r = g = b = a = 0;
      al_put_pixel(x, y, al_map_rgba(r, g, b, a));
    }
  }
  al_unlock_bitmap(bitmap);
  if (previous != nullptr) al_set_target_bitmap(previous);
  return bitmap;
}
