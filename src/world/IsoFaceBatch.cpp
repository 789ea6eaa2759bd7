#include "world/IsoFaceBatch.h"

#include <utility>

#include "resources/GLUtilities.h"

void IsoFaceBatch::Add(ALLEGRO_BITMAP* bitmap, const Texel* corners, int count,
                       const Placement& placement, int32_t anchorX, int32_t anchorY, float depth) {
  Tile tile{0, 0};
  if (const auto found = tiles.find(bitmap); found != tiles.end()) {
    bitmap = atlas;
    tile = found->second;
  }
  const GLuint texture = al_get_opengl_texture(bitmap);
  if (texture == 0 || count < 3) return;
  // Allegro keeps the rows bottom-up in the texture.
  int textureW = 0, textureH = 0, offsetU = 0, offsetV = 0;
  al_get_opengl_texture_size(bitmap, &textureW, &textureH);
  al_get_opengl_texture_position(bitmap, &offsetU, &offsetV);
  const float w = static_cast<float>(textureW > 0 ? textureW : 1);
  const float h = static_cast<float>(textureH > 0 ? textureH : 1);
  const float left = static_cast<float>(offsetU + tile.x);
  const float top = static_cast<float>(al_get_bitmap_height(bitmap) - offsetV - tile.y);
  const float ax = static_cast<float>(anchorX) + placement.originX;
  const float ay = static_cast<float>(anchorY) + placement.originY;
  const auto vertex = [&](const Texel& c) {
    return GLTexturedVertex{(left + c.u) / w, (top - c.v) / h,
                            ax + c.u * placement.duX + c.v * placement.dvX,
                            ay + c.u * placement.duY + c.v * placement.dvY, depth};
  };

  if (runs.empty() || runs.back().texture != texture) {
    runs.push_back({texture, static_cast<GLint>(vertices.size()), 0});
  }
  // A fan of triangles from the first corner.
  for (int k = 1; k + 1 < count; ++k) {
    vertices.push_back(vertex(corners[0]));
    vertices.push_back(vertex(corners[k]));
    vertices.push_back(vertex(corners[k + 1]));
  }
  runs.back().count += static_cast<GLsizei>(3 * (count - 2));
}

void IsoFaceBatch::UseAtlas(ALLEGRO_BITMAP* bitmap, std::unordered_map<ALLEGRO_BITMAP*, Tile> map) {
  atlas = bitmap;
  tiles = bitmap != nullptr ? std::move(map) : std::unordered_map<ALLEGRO_BITMAP*, Tile>{};
}

void IsoFaceBatch::Flush() {
  if (!runs.empty()) {
    const GLVertexArrayScope arrays(vertices.data());
    glColor4f(1, 1, 1, 1);
    for (const Run& run : runs) {
      glBindTexture(GL_TEXTURE_2D, run.texture);
      glDrawArrays(GL_TRIANGLES, run.first, run.count);
    }
  }
  vertices.clear();
  runs.clear();
}
