#pragma once

// Where a press or release that reaches the world leaves its position: with the GUI above it,
// where the dialogue NPCs read it.
class WorldClick {
 public:
  virtual ~WorldClick() = default;

  virtual void SetMousePosition(float x, float y) = 0;
};
