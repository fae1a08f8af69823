#include "app/FrameTimer.h"

#include <SDL.h>

namespace ocre {

namespace {
// Spins on the tick counter without sleeping: the turn's pace is only as
// good as the scheduler's wake-up, so the wait never gives the core away.
uint32_t spinUntil(uint32_t target) {
    uint32_t now = SDL_GetTicks();
    while (now < target) now = SDL_GetTicks();
    return now;
}
}  // namespace

void FrameTimer::init(uint32_t) {}

uint32_t FrameTimer::waitFor(uint32_t n) { return spinUntil(SDL_GetTicks() + n); }

uint32_t FrameTimer::mark() {
    mark_ = SDL_GetTicks();
    return mark_;
}

uint32_t FrameTimer::elapsed() { return SDL_GetTicks() - mark_; }

uint32_t FrameTimer::waitSinceMark(uint32_t n) { return spinUntil(mark_ + n); }

}  // namespace ocre
