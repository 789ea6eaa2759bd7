#pragma once

#include <functional>

// Wall-clock seconds on one monotonic time line, the same before, while and after Allegro runs;
// only differences between two readings mean anything. Tests swap in a fake so that
// time-budgeted code can be driven tick by tick.
double WallClock();

using ClockSource = std::function<double()>;

// Replaces the clock; an empty source restores the real one. Answers the previous source.
ClockSource SetClockSource(ClockSource source);
