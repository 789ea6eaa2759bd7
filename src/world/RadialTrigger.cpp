#include "world/RadialTrigger.h"

RadialTrigger::RadialTrigger(const char* name, int32_t x, int32_t y, int32_t radius)
    : Trigger(kRadial), x(x), y(y), radius(static_cast<float>(radius)) {
  SetName(name);
}

int32_t RadialTrigger::Update(float elapsed) {
  CountDelay(elapsed);
  return kNotHeld;
}

void RadialTrigger::DebugDraw(const ALLEGRO_FONT* font, int32_t& line, int32_t index) {
  DrawLine(font, line, "Trigger %i: %s", index, GetName().c_str());
  DrawLine(font, line, " Path: %s", GetScript() ? GetScript()->c_str() : "(null)");
}
