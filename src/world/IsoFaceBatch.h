#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "resources/GLUtilities.h"

// The faces of one stretch of an isometric map pass on the OpenGL road, gathered in the order they
// come and drawn as one vertex array, binding a texture only where it changes. The caller sets up
// the GL state once for the stretch (GLDrawScope) and flushes before anything else draws.
class IsoFaceBatch {
 public:
  // A point of a face in texels of its texture: u along a row, v down a column.
  struct Texel {
    float u, v;
  };
  // A tile's corner in an atlas, in pixels.
  struct Tile {
    int32_t x, y;
  };
  // Where a face lands: texel point (u, v) goes to anchor + origin + u * du + v * dv.
  struct Placement {
    float originX, originY;
    float duX, duY, dvX, dvY;
  };

  // From now on the faces of these bitmaps are drawn from their copies in the atlas, whose tile
  // corner (in pixels) each maps to, so that runs of faces share one texture. None: no atlas.
  void UseAtlas(ALLEGRO_BITMAP* atlas, std::unordered_map<ALLEGRO_BITMAP*, Tile> tiles);

  // Adds the convex polygon (corners in order) of the bitmap's texels, placed about the anchor,
  // at that depth. Nothing for a bitmap without a texture.
  void Add(ALLEGRO_BITMAP* bitmap, const Texel* corners, int count, const Placement& placement,
           int32_t anchorX, int32_t anchorY, float depth);
  // Draws everything added, in order, and empties the batch.
  void Flush();

 private:
  struct Run {
    GLuint texture;
    GLint first;
    GLsizei count;
  };

  ALLEGRO_BITMAP* atlas = nullptr;
  std::unordered_map<ALLEGRO_BITMAP*, Tile> tiles;
  std::vector<GLTexturedVertex> vertices;
  std::vector<Run> runs;
};
