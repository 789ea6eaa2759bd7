#pragma once

#include <cstdint>

// A rectangle whose bounds are both inside it.
struct RectRecord {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// The bounding record of actors: the box, then the centre, then the size. Owners recompute the
// box from centre and size after every move. The first four fields read as a RectRecord.
struct Dimensions {
  int32_t minX = 0, minY = 0, maxX = 0, maxY = 0, minZ = 0, maxZ = 0;
  int32_t x = 0, y = 0, z = 0;
  int32_t w = 0, h = 0, d = 0;

  RectRecord Rect() const { return {minX, minY, maxX, maxY}; }
  // The centre or the size only; the box is the owner's to recompute.
  void SetCentre(int32_t cx, int32_t cy, int32_t cz) {
    x = cx;
    y = cy;
    z = cz;
  }
  void SetSize(int32_t width, int32_t height, int32_t depth) {
    w = width;
    h = height;
    d = depth;
  }
};

// Inclusive on every bound.
bool PointInRect(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom);

// True when the two rectangles share at least one point; touching edges and corners overlap.
bool RectsOverlap(int32_t l1, int32_t t1, int32_t r1, int32_t b1, int32_t l2, int32_t t2,
                  int32_t r2, int32_t b2);
bool RectOverlapsRect(const RectRecord& a, const RectRecord& b);
