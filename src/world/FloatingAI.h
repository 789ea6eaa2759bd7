#pragma once

// What a map unload asks of the AI manager above the world: the floating packages go before the
// entities they move.
class FloatingAI {
 public:
  virtual ~FloatingAI() = default;

  virtual void ClearFloatingAI() = 0;
};
