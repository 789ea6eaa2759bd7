#pragma once

#include <cstdint>

// Told key 1 of each key name that goes down at a keyboard update: the GUI above keeps it as its
// last key, for the input boxes.
class KeyPressListener {
 public:
  virtual ~KeyPressListener() = default;

  virtual void KeyPressed(int32_t keycode) = 0;
};
