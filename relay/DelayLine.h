#pragma once
// Holds encoded frames back for a fixed delay, so spectators see the world
// that many seconds late. Memory is bounded: at most the frames of the
// delay at the server's pace (plus a little slack for jitter) are kept; if
// passes come faster, the oldest are dropped. Time is an argument.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace ocre::relay {

using SharedFrame = std::shared_ptr<const std::vector<uint8_t>>;

constexpr int kMaxDelaySeconds = 300;

class DelayLine {
public:
    using Clock = std::chrono::steady_clock;

    explicit DelayLine(std::chrono::milliseconds delay);

    void push(SharedFrame frame, Clock::time_point now);
    // The newest frame whose delay has passed, if one became due since the
    // last call; older due frames are skipped.
    SharedFrame takeDue(Clock::time_point now);
    // The newest frame handed out so far (for a spectator who arrives).
    const SharedFrame& latestDue() const { return latestDue_; }
    size_t capacity() const { return capacity_; }
    size_t waiting() const { return frames_.size(); }

private:
    struct Held {
        Clock::time_point arrival;
        SharedFrame frame;
    };
    std::chrono::milliseconds delay_;
    size_t capacity_;
    std::deque<Held> frames_;
    SharedFrame latestDue_;
};

}  // namespace ocre::relay
