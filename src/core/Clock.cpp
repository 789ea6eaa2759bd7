#include "core/Clock.h"

#include <allegro5/allegro.h>

#include <chrono>
#include <utility>

namespace {
ClockSource& CurrentSource() {
  static ClockSource source;
  return source;
}
}  // namespace

double WallClock() {
  ClockSource& source = CurrentSource();
  if (source) return source();
  if (al_is_system_installed()) return al_get_time();
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

ClockSource SetClockSource(ClockSource source) {
  return std::exchange(CurrentSource(), std::move(source));
}
