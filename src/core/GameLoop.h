#pragma once

#include <allegro5/allegro.h>

#include <cstdint>
#include <functional>
#include <vector>

// The primary game loop, apart from Allegro and the managers so that its dispatch and tick order
// can be driven with synthetic events: it waits on an event source, hands each event to the
// handlers, runs a tick for each timer event, and draws a frame only after a tick and only when no
// further event is waiting (under load ticks run back to back and frames are skipped, never ticks).

// Where events come from.
class EventSource {
 public:
  virtual ~EventSource() = default;
  // Blocks until an event arrives and takes it off the queue.
  virtual void Wait(ALLEGRO_EVENT& event) = 0;
  virtual bool IsEmpty() = 0;
};

// The program's Allegro event queue.
class AllegroEventSource : public EventSource {
 public:
  explicit AllegroEventSource(ALLEGRO_EVENT_QUEUE* queue) : queue(queue) {}
  void Wait(ALLEGRO_EVENT& event) override { al_wait_for_event(queue, &event); }
  bool IsEmpty() override { return al_is_event_queue_empty(queue); }

 private:
  ALLEGRO_EVENT_QUEUE* queue;
};

// What the events reach besides the tick.
class LoopHandlers {
 public:
  // Events handed to the focused input box.
  static constexpr int32_t kKeyDownInput = 2;
  static constexpr int32_t kKeyUpInput = 3;

  virtual ~LoopHandlers() = default;
  // At the start of every pass of the loop, before the wait.
  virtual void BeginPass() = 0;
  // Refreshes the keyboard state that the keyboard manager reads.
  virtual void ReadKeyboard() = 0;
  virtual void UpdateKeys() = 0;
  // Hands a key event, with the key it carries, to the focused input box.
  virtual void FocusedInput(int32_t inputEvent, int32_t keycode) = 0;
  virtual void SetMousePosition(float x, float y) = 0;
  // A press (0) or release (1) offered to the GUI; answers whether a GUI object took it.
  virtual bool DispatchMouse(int32_t mode) = 0;
  // The mouse position last stored by the GUI.
  virtual float GetMouseX() = 0;
  virtual float GetMouseY() = 0;
  // A press (0) or release (1) that no GUI object took, at the stored position truncated.
  virtual void MapEvent(int32_t mode, int32_t x, int32_t y) = 0;
  virtual void DrawFrame() = 0;
};

// When the tick's timer event was taken off the queue.
struct TickTime {
  // The length of a tick as the deferred-call budget counts it.
  static constexpr double kTickSeconds = 0.01666;

  double takenAt;

  // What is left of this tick's time now (negative once it is spent).
  double Budget() const;
};

// One stage of a game tick.
struct TickStage {
  const char* name;
  std::function<void(const TickTime&)> run;
};

class GameLoop {
 public:
  // Allegro's event types that the loop dispatches.
  enum EventType : int32_t {
    kKeyDown = ALLEGRO_EVENT_KEY_DOWN,
    kKeyUp = ALLEGRO_EVENT_KEY_UP,
    kMouseAxes = ALLEGRO_EVENT_MOUSE_AXES,
    kMouseButtonDown = ALLEGRO_EVENT_MOUSE_BUTTON_DOWN,
    kMouseButtonUp = ALLEGRO_EVENT_MOUSE_BUTTON_UP,
    kMouseEnterDisplay = ALLEGRO_EVENT_MOUSE_ENTER_DISPLAY,
    kTimer = ALLEGRO_EVENT_TIMER,
    kDisplayClose = ALLEGRO_EVENT_DISPLAY_CLOSE,
  };

  GameLoop(EventSource& events, LoopHandlers& handlers, std::vector<TickStage> stages);

  // Reads the keyboard once, then handles events one at a time until the quit flag is set; the
  // flag is looked at before each wait, so the loop ends after the event that set it.
  void Run();
  // One event as the loop handles it; takenAt is when it came off the queue. What its handlers
  // bury in the process's graveyard is destroyed when it has been handled.
  void Dispatch(const ALLEGRO_EVENT& event, double takenAt);
  // Counts the tick in gTickCount, then runs the stages in order, with the process's graveyard
  // open until the last has run.
  void Tick(const TickTime& time);

 private:
  EventSource& events;
  LoopHandlers& handlers;
  std::vector<TickStage> stages;
  bool ticked = false;
};
