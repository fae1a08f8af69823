#include "app/FrameTimer.h"

#include <SDL.h>

#include <thread>

namespace ocre {

namespace {

using Milliseconds = std::chrono::milliseconds;
using Microseconds = std::chrono::microseconds;

// How early the sleep ends before the tick is due: room for the
// scheduler's wake-up, after which the counter is watched without
// yielding, so a turn starts as soon as the tick arrives.
constexpr Microseconds kWatchMargin{300};
// A turnover seen across a longer gap between two readings (the thread was
// preempted) says too little about when it happened to predict by.
constexpr Microseconds kEdgeReadingGap{20};

}  // namespace

void FrameTimer::init(uint32_t) {}

uint32_t FrameTimer::waitFor(uint32_t n) { return waitUntil(SDL_GetTicks() + n); }

uint32_t FrameTimer::mark() {
    mark_ = SDL_GetTicks();
    return mark_;
}

uint32_t FrameTimer::elapsed() { return SDL_GetTicks() - mark_; }

uint32_t FrameTimer::waitSinceMark(uint32_t n) { return waitUntil(mark_ + n); }

// The tick counter only says which millisecond it is, not how far into it:
// read now, the target tick may begin anywhere from (target - now - 1) to
// (target - now) ms later. A turnover seen earlier pins the counter's
// millisecond edges on the steady clock; when that prediction agrees with
// the reading, the sleep ends just before the edge, otherwise at the
// earliest moment the target could begin.
FrameTimer::Clock::time_point FrameTimer::wakeBefore(uint32_t target, uint32_t now, Clock::time_point clockNow) const {
    const Clock::time_point earliest = clockNow + Milliseconds(target - now - 1);
    if (edgeKnown_) {
        const Clock::time_point predicted = edgeTime_ + Milliseconds(target - edgeTick_);
        if (predicted >= earliest && predicted <= earliest + Milliseconds(1)) return predicted - kWatchMargin;
    }
    return earliest - kWatchMargin;
}

uint32_t FrameTimer::waitUntil(uint32_t target) {
    uint32_t now = SDL_GetTicks();
    if (now >= target) return now;
    Clock::time_point readAt = Clock::now();
    const Clock::time_point wake = wakeBefore(target, now, readAt);
    if (wake > readAt) {
        std::this_thread::sleep_until(wake);
        now = SDL_GetTicks();
        readAt = Clock::now();
    }
    while (now < target) {
        const uint32_t ticks = SDL_GetTicks();
        const Clock::time_point at = Clock::now();
        if (ticks == now + 1 && at - readAt < kEdgeReadingGap) {
            edgeKnown_ = true;
            edgeTick_ = ticks;
            edgeTime_ = at;
        }
        now = ticks;
        readAt = at;
    }
    return now;
}

}  // namespace ocre
