#pragma once

#include <cstdint>

#include "world/Trigger.h"

// Fires while the player's box overlaps its rectangle, edges included; the corners may be given
// in either order.
class RectangularTrigger final : public Trigger {
 public:
  RectangularTrigger(const char* name, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

  // Without a player nothing overlaps.
  int32_t Update(float elapsed) override;
  void DebugDraw(const ALLEGRO_FONT* font, int32_t& line, int32_t index) override;

  // Whether the box (left, top, right, bottom) shares a point with the rectangle.
  bool Overlaps(int32_t left, int32_t top, int32_t right, int32_t bottom) const;

 private:
  int32_t x1, y1, x2, y2;
};
