// Writes a chunked level from pictures: levelwriter OUTPUT.plf COLOURS.png [CLIP.png [UPPER.png]]
//
// The level is as many 256 x 256 chunks across and down as the colour picture needs; pixels past
// the picture are transparent and free. Every pixel of the clip picture that is not fully
// transparent is blocked (clip value 1). Every pixel of the upper picture that is not fully
// transparent is drawn above the actors (layer -1) in the upper picture's colour; all others are
// drawn below them (layer 0). Colours are stored premultiplied by their alpha, as the game's
// default blending draws them. Give "-" to leave out the clip picture.

#include "LevelWriter.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>

#include <cstdio>
#include <optional>
#include <string>

#include "PictureFile.h"

namespace {

using image_container::Colour;
using image_container::LoadPicture;
using image_container::Picture;

// The pixel at (x, y), or none past the picture.
const Colour* At(const std::optional<Picture>& picture, int32_t x, int32_t y) {
  if (!picture || x >= picture->width || y >= picture->height) return nullptr;
  return &picture->pixels[static_cast<size_t>(y) * static_cast<size_t>(picture->width) + x];
}

std::optional<Picture> Optional(int argc, char** argv, int index) {
  if (argc <= index || std::string(argv[index]) == "-") return std::nullopt;
  return LoadPicture(argv[index]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fprintf(stderr, "usage: levelwriter OUTPUT.plf COLOURS.png [CLIP.png|- [UPPER.png]]\n");
    return 2;
  }
  if (!al_install_system(ALLEGRO_VERSION_INT, nullptr) || !al_init_image_addon()) {
    std::fprintf(stderr, "levelwriter: Allegro did not start\n");
    return 1;
  }
  al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
  try {
    const std::optional<Picture> colours = LoadPicture(argv[2]);
    const std::optional<Picture> clip = Optional(argc, argv, 3);
    const std::optional<Picture> upper = Optional(argc, argv, 4);
    constexpr int32_t size = chunk_level::kChunkSize;
    const chunk_level::LevelWriter writer((colours->width + size - 1) / size,
                                          (colours->height + size - 1) / size);
    const chunk_level::Painter paint = [&](int32_t column, int32_t row,
                                           chunk_level::ChunkRecord& record) {
      for (int32_t x = 0; x < size; ++x) {
        for (int32_t y = 0; y < size; ++y) {
          const int32_t wx = column * size + x, wy = row * size + y;
          chunk_level::Pixel pixel;
          const Colour* above = At(upper, wx, wy);
          const Colour* colour = above != nullptr && above->a != 0 ? above : At(colours, wx, wy);
          if (colour != nullptr) {
            pixel.r = colour->r, pixel.g = colour->g, pixel.b = colour->b, pixel.a = colour->a;
          }
          pixel.layer = colour != nullptr && colour == above ? -1 : 0;
          const Colour* blocked = At(clip, wx, wy);
          pixel.clip = blocked != nullptr && blocked->a != 0 ? 1 : 0;
          record.Set(x, y, pixel);
        }
      }
    };
    chunk_level::WriteFile(argv[1], writer.Compressed(paint));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "levelwriter: %s\n", error.what());
    return 1;
  }
  return 0;
}
