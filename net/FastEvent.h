#pragma once
// A thread-safe front end to SDL's event queue: any thread may post, the
// main thread takes events out, and a post waits for room instead of
// failing when the queue is full. One queue per process.

#include <SDL.h>

namespace ocre {

// 0, or -1 with the reason in fe_last_error(). Call once, before net2_start.
int fe_start();
// Queues a copy of the event, waiting while the queue is full; always 1.
int fe_push(SDL_Event* event);
// 1 if an event was taken into *event, 0 if the queue was empty.
int fe_poll(SDL_Event* event);
// The 10 ms wake-up of waiting pushers (SDL timer callback).
Uint32 fe_tick(Uint32 interval, void* ignored);
// Call once at shutdown, after net2_stop.
void fe_stop();

// Why the last fe_start failed; "" if it did not.
const char* fe_last_error();

}  // namespace ocre
