#pragma once

#include <functional>

// Wall-clock seconds. Allegro's clock once Allegro runs, a steady clock before; tests swap in a
// fake so that time-budgeted code can be driven tick by tick.
double WallClock();

using ClockSource = std::function<double()>;

// Replaces the clock; an empty source restores the real one. Answers the previous source.
ClockSource SetClockSource(ClockSource source);
