#include "world/Trigger.h"

#include <cstdarg>
#include <cstdio>

#include "core/Globals.h"
#include "core/Graveyard.h"
#include "core/Log.h"
#include "core/script/LuaManager.h"

namespace {

constexpr const char* kKeepScript = "~NOEDIT";
constexpr int32_t kKeep = -1000;
constexpr float kKeepDelay = -1000.0f;

}  // namespace

void Trigger::SetName(const char* given) {
  name = given != nullptr ? given : "";
  script.reset();
  enabled = true;
  armed = true;
  argument = -1;
}

void Trigger::SetProperties(const char* newScript, int32_t newArgument, float newDelay,
                            int32_t newOnce, int32_t newNoRepeat) {
  if (newScript != nullptr && std::string_view(newScript) != kKeepScript) script = newScript;
  if (newArgument != kKeep) argument = newArgument;
  if (newDelay != kKeepDelay) delay = newDelay;
  if (newOnce != kKeep) once = newOnce != 0;
  if (newNoRepeat != kKeep) noRepeat = newNoRepeat != 0;
  Log("Set to %s %i %f %i %i\n", script ? script->c_str() : "(null)", argument,
      static_cast<double>(delay), once ? 1 : 0, noRepeat ? 1 : 0);
}

int32_t Trigger::Fire() {
  if (!enabled || !armed) return kHeld;
  if (gLuaManager != nullptr && script) {
    gLuaManager->ExecuteScript(script->c_str(), argument);
    // Retired by what the script did: this trigger is touched no more.
    if (ProcessGraveyard().IsRetired(this)) return kHeld;
  }
  if (once) return kFiredAndDone;
  if (noRepeat) armed = false;
  return kHeld;
}

void Trigger::CountDelay(float elapsed) {
  if (delay > 0.0f) {
    delay -= elapsed;
    ready = false;
  } else {
    ready = true;
  }
}

void Trigger::DrawLine(const ALLEGRO_FONT* font, int32_t& line, const char* format, ...) {
  if (font != nullptr) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    al_draw_text(font, al_map_rgb(255, 255, 255), 0, static_cast<float>(line), 0, text);
  }
  line += 8;
}
