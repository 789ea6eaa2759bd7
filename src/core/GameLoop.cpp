#include "core/GameLoop.h"

#include <utility>

#include "core/Clock.h"
#include "core/Convert.h"
#include "core/Globals.h"
#include "core/Graveyard.h"

double TickTime::Budget() const { return kTickSeconds - (WallClock() - takenAt); }

GameLoop::GameLoop(EventSource& events, LoopHandlers& handlers, std::vector<TickStage> stages)
    : events(events), handlers(handlers), stages(std::move(stages)) {}

void GameLoop::Run() {
  handlers.ReadKeyboard();
  ALLEGRO_EVENT event;
  while (!gQuit) {
    handlers.BeginPass();
    events.Wait(event);
    Dispatch(event, WallClock());
    if (ticked && events.IsEmpty()) {
      handlers.DrawFrame();
      ticked = false;
    }
  }
}

void GameLoop::Dispatch(const ALLEGRO_EVENT& event, double takenAt) {
  // What a handler's script retires lives until the whole event has been handled.
  Graveyard::Walk walk;
  switch (event.type) {
    case kKeyDown:
    case kKeyUp:
      handlers.ReadKeyboard();
      handlers.UpdateKeys();
      handlers.FocusedInput(
          event.type == kKeyDown ? LoopHandlers::kKeyDownInput : LoopHandlers::kKeyUpInput,
          event.keyboard.keycode);
      break;
    case kMouseAxes:
    case kMouseEnterDisplay:
      handlers.SetMousePosition(static_cast<float>(event.mouse.x),
                                static_cast<float>(event.mouse.y));
      break;
    case kMouseButtonDown:
    case kMouseButtonUp: {
      // Any button counts.
      const int32_t mode = event.type == kMouseButtonDown ? 0 : 1;
      if (!handlers.DispatchMouse(mode)) {
        handlers.MapEvent(mode, ToInt32(handlers.GetMouseX()), ToInt32(handlers.GetMouseY()));
      }
      break;
    }
    case kTimer:
      Tick(TickTime{takenAt});
      ticked = true;
      break;
    case kDisplayClose:
      gQuit = true;
      break;
    default:
      break;
  }
}

void GameLoop::Tick(const TickTime& time) {
  ++gTickCount;
  Graveyard::Walk walk;
  for (const TickStage& stage : stages) stage.run(time);
}
