#pragma once

#include <allegro5/allegro.h>

#include <initializer_list>

// A keyboard state with exactly these Allegro keycodes held, as al_get_keyboard_state would fill
// it; needs no keyboard driver.
inline ALLEGRO_KEYBOARD_STATE KeysHeld(std::initializer_list<int> keycodes) {
  ALLEGRO_KEYBOARD_STATE state{};
  for (int keycode : keycodes) state.__key_down__internal__[keycode / 32] |= 1u << (keycode % 32);
  return state;
}
