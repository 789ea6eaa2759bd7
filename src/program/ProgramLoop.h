#pragma once

#include <vector>

#include "core/DisplayManager.h"
#include "core/GameLoop.h"

// The game loop as the program runs it: the handlers, the tick stages and the draw stages reach
// the managers through their globals, and a manager that does not exist is skipped.

// The stages of one game tick, in their order.
std::vector<TickStage> ProgramTickStages();

// The stages of one frame, in their order, drawn into the back buffer.
std::vector<DrawStage> ProgramDrawStages();

// Handlers that forward each event to the managers.
class ProgramHandlers : public LoopHandlers {
 public:
  void BeginPass() override;
  void ReadKeyboard() override;
  void UpdateKeys() override;
  void FocusedInput(int32_t inputEvent, int32_t keycode) override;
  void SetMousePosition(float x, float y) override;
  bool DispatchMouse(int32_t mode) override;
  float GetMouseX() override;
  float GetMouseY() override;
  void MapEvent(int32_t mode, int32_t x, int32_t y) override;
  void DrawFrame() override;

 private:
  std::vector<DrawStage> drawStages = ProgramDrawStages();
};

// Starts the timer and runs the loop on the program's event queue until the quit flag is set.
void RunPrimaryGameLoop();
