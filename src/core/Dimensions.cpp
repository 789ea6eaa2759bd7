#include "core/Dimensions.h"

bool PointInRect(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return left <= x && x <= right && top <= y && y <= bottom;
}

bool RectsOverlap(int32_t l1, int32_t t1, int32_t r1, int32_t b1, int32_t l2, int32_t t2,
                  int32_t r2, int32_t b2) {
  return l1 <= r2 && l2 <= r1 && t1 <= b2 && t2 <= b1;
}

bool RectOverlapsRect(const RectRecord& a, const RectRecord& b) {
  return RectsOverlap(a.left, a.top, a.right, a.bottom, b.left, b.top, b.right, b.bottom);
}
