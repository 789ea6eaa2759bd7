#pragma once

#include <cstdint>

#include "world/Trigger.h"

// A centre and a radius that nothing tests yet: it is listed, configured and updated like the
// other triggers, and never fires.
class RadialTrigger final : public Trigger {
 public:
  RadialTrigger(const char* name, int32_t x, int32_t y, int32_t radius);

  // Counts the delay; never fires.
  int32_t Update(float elapsed) override;
  void DebugDraw(const ALLEGRO_FONT* font, int32_t& line, int32_t index) override;

  int32_t GetX() const { return x; }
  int32_t GetY() const { return y; }
  float GetRadius() const { return radius; }

 private:
  int32_t x, y;
  float radius;
};
