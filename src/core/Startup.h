#pragma once

#include <allegro5/allegro.h>

#include <cstdint>
#include <span>
#include <type_traits>

// Start-up and shutdown of the program.

// One row of the start-up sequence: a step to run (false ends start-up; a captureless lambda will
// do) or a start-up script, which runs with the script code -1 behind the script base path. The
// name says what the row makes or runs, in the words of the script reference.
struct StartupRow {
  const char* name;
  bool (*run)();
  const char* script;

  static constexpr StartupRow Step(const char* name, bool (*run)()) { return {name, run, nullptr}; }
  static constexpr StartupRow Script(const char* name) { return {name, nullptr, name}; }
};

// A step that creates a manager with its default constructor and stores it in its global.
template <auto& global>
bool Create() {
  global = new std::remove_pointer_t<std::remove_reference_t<decltype(global)>>();
  return true;
}

// Starts Allegro and its add-ons, keyboard, mouse, event queue and the 1/60 s timer, then runs the
// rows in order: the managers, each stored in its global before the next is created, with the
// start-up scripts between them. Answers 0, or -1 after the failure's line (Allegro, input, queue,
// timer or display); the rows after the failed one do not run.
int32_t Init(std::span<const StartupRow> rows);

// Registers the display's, the timer's, the keyboard's and the mouse's events with the queue.
void RegisterEventSources(ALLEGRO_EVENT_QUEUE* queue);

// Stops and frees every audio object, then destroys the event queue, the timer and the display,
// logging each step. The managers stay.
void Cleanup();
