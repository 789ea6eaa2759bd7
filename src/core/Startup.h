#pragma once

#include <allegro5/allegro.h>

#include <cstdint>

// Start-up and shutdown of the program.

// Starts Allegro and its add-ons, keyboard, mouse, event queue and the 1/60 s timer, then runs the
// start-up sequence: the managers, each stored in its global before the next is created, with the
// start-up scripts between them. Answers 0, or -1 after the failure's line (Allegro, input, queue,
// timer or display); the managers after the failed step do not exist then.
int32_t Init();

// Registers the display's, the timer's, the keyboard's and the mouse's events with the queue.
void RegisterEventSources(ALLEGRO_EVENT_QUEUE* queue);

// Destroys the event queue, the timer and the display, logging each step. The managers stay.
void Cleanup();
