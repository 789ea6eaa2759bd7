#pragma once

// Loads a PNG (or any picture Allegro reads) as RGBA bytes for the tools that turn pictures into
// the game's binary formats. Allegro must be started with the image add-on.

#include <allegro5/allegro.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "ImageContainerWriter.h"

namespace image_container {

struct Picture {
  int32_t width = 0, height = 0;
  std::vector<Colour> pixels;  // row after row
};

// The pixels with their colour multiplied by their alpha, as Allegro loads pictures: the game
// draws container images with Allegro's default blending, which expects them so (a transparent
// pixel that kept its colour would be added onto what lies below it).
inline Picture LoadPicture(const std::filesystem::path& path) {
  ALLEGRO_BITMAP* bitmap = al_load_bitmap(path.c_str());
  if (bitmap == nullptr) throw std::runtime_error("cannot load " + path.string());
  Picture picture;
  picture.width = al_get_bitmap_width(bitmap);
  picture.height = al_get_bitmap_height(bitmap);
  ALLEGRO_LOCKED_REGION* region =
      al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
  if (region == nullptr) throw std::runtime_error("cannot lock " + path.string());
  for (int32_t y = 0; y < picture.height; ++y) {
    const auto* row = static_cast<const uint8_t*>(region->data) + y * region->pitch;
    for (int32_t x = 0; x < picture.width; ++x) {
      const uint8_t* p = row + x * 4;
      picture.pixels.push_back({p[0], p[1], p[2], p[3]});
    }
  }
  al_unlock_bitmap(bitmap);
  al_destroy_bitmap(bitmap);
  return picture;
}

}  // namespace image_container
