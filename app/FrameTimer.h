#pragma once
// Paces the main loop: a mark per turn and a wait until a number of
// milliseconds after it, on SDL's millisecond tick counter. The wait
// returns as soon as the counter reaches the target, yet sleeps through
// most of it: only the last fraction of a millisecond is spent watching.

#include <chrono>
#include <cstdint>

namespace ocre {

class FrameTimer {
public:
    virtual ~FrameTimer() = default;
    // Does nothing: kept for timers that need a start value.
    virtual void init(uint32_t milliseconds);
    virtual uint32_t waitFor(uint32_t n);
    virtual uint32_t mark();
    virtual uint32_t elapsed();
    virtual uint32_t waitSinceMark(uint32_t n);

private:
    using Clock = std::chrono::steady_clock;

    uint32_t waitUntil(uint32_t target);
    Clock::time_point wakeBefore(uint32_t target, uint32_t now, Clock::time_point clockNow) const;

    uint32_t mark_ = 0;
    // The last tick turnover seen while watching: which tick began, and when.
    bool edgeKnown_ = false;
    uint32_t edgeTick_ = 0;
    Clock::time_point edgeTime_;
};

}  // namespace ocre
