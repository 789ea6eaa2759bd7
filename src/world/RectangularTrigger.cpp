#include "world/RectangularTrigger.h"

#include <algorithm>

#include "core/Dimensions.h"
#include "world/WorldPlayer.h"

RectangularTrigger::RectangularTrigger(const char* name, int32_t x1, int32_t y1, int32_t x2,
                                       int32_t y2)
    : Trigger(kRectangular), x1(x1), y1(y1), x2(x2), y2(y2) {
  SetName(name);
}

bool RectangularTrigger::Overlaps(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
  return RectsOverlap(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), left,
                      top, right, bottom);
}

int32_t RectangularTrigger::Update(float elapsed) {
  if (IsSuspended()) return kNotHeld;
  CountDelay(elapsed);
  if (const Dimensions* player = PlayerBounds()) {
    if (Overlaps(player->minX, player->minY, player->maxX, player->maxY)) return Fire();
  }
  Rearm();
  return kNotHeld;
}

void RectangularTrigger::DebugDraw(const ALLEGRO_FONT* font, int32_t& line, int32_t index) {
  DrawLine(font, line, "Trigger %i: %s", index, GetName().c_str());
  DrawLine(font, line, " Path: %s", GetScript() ? GetScript()->c_str() : "(null)");
  DrawLine(font, line, " Data: %i %i %i %i", x1, y1, x2, y2);
  DrawLine(font, line, " Fires with: %i", GetArgument());
  DrawLine(font, line, IsOnce() ? " Fires once" : " Fires multiple times");
  DrawLine(font, line,
           IsNoRepeatWithoutExit() ? " Will not repeat without Exit" : " Repeats without Exit");
}
