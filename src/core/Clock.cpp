#include "core/Clock.h"

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
  // One monotonic time line for the whole run: start-up times itself from before Allegro starts
  // to after, and Allegro's own clock counts from its start.
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

ClockSource SetClockSource(ClockSource source) {
  return std::exchange(CurrentSource(), std::move(source));
}
