#pragma once

// What the shooter mode asks of the GUI above it: whether a mouse button is held, to fire, and
// where the mouse is, in window pixels, to aim.
class ShooterInput {
 public:
  virtual ~ShooterInput() = default;

  virtual bool MouseHeld() = 0;
  virtual void Aim(float& x, float& y) = 0;
};
