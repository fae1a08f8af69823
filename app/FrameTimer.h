#pragma once
// Paces the main loop: a mark per turn and a busy wait until a number of
// milliseconds after it, on SDL's millisecond tick counter.

#include <cstdint>

namespace ocre {

class FrameTimer {
public:
    virtual ~FrameTimer() = default;
    virtual void init(uint32_t milliseconds);
    virtual uint32_t waitFor(uint32_t n);
    virtual uint32_t mark();
    virtual uint32_t elapsed();
    virtual uint32_t waitSinceMark(uint32_t n);

private:
    uint32_t mark_ = 0;
};

}  // namespace ocre
