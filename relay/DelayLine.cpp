#include "relay/DelayLine.h"

#include "protocol/ProtocolTexts.h"

namespace ocre::relay {

namespace {
// Passes arrive in bursts now and then; a second of them more than the
// pace keeps a burst from pushing out frames that are not yet due.
constexpr size_t kSlackFrames = protocol::kPassesPerSecond;
}  // namespace

DelayLine::DelayLine(std::chrono::milliseconds delay)
    : delay_(delay),
      capacity_(static_cast<size_t>(delay.count()) * protocol::kPassesPerSecond / 1000 + kSlackFrames) {}

void DelayLine::push(SharedFrame frame, Clock::time_point now) {
    if (frames_.size() >= capacity_) frames_.pop_front();
    frames_.push_back(Held{now, std::move(frame)});
}

SharedFrame DelayLine::takeDue(Clock::time_point now) {
    SharedFrame due;
    while (!frames_.empty() && frames_.front().arrival + delay_ <= now) {
        due = std::move(frames_.front().frame);
        frames_.pop_front();
    }
    if (due) latestDue_ = due;
    return due;
}

}  // namespace ocre::relay
