#pragma once

#include <cstdint>

// One named key or game action: up to two Allegro keycodes (-1 for none) and the state the last
// update saw. The binding is held while either of its keys is held. It is up only once an update
// has seen it released, so the first press of the run gives no pressed edge.
struct KeyBinding {
  int32_t key1 = -1;
  int32_t key2 = -1;
  uint8_t pressed = 0;   // went down at the last update
  uint8_t released = 0;  // went up at the last update
  uint8_t down = 0;
  uint8_t up = 0;
};
