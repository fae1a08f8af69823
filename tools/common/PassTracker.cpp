#include "tools/common/PassTracker.h"

#include <algorithm>
#include <cmath>

#include "protocol/ProtocolTexts.h"

namespace ocre::common {

void PassTracker::onCamera(Clock::time_point now) {
    if (inPass_) finishPass();
    if (passes_ == 0) first_ = now;
    last_ = now;
    arrivalsMs_.push_back(std::chrono::duration<double, std::milli>(now - first_).count());
    ++passes_;
    inPass_ = true;
    contiguous_ = true;
    lastIndex_ = -1;
}

void PassTracker::onActor(uint32_t index) {
    if (!inPass_ || int64_t{index} <= lastIndex_) {
        ++disorder_;
        contiguous_ = false;
        return;
    }
    if (int64_t{index} != lastIndex_ + 1) contiguous_ = false;
    lastIndex_ = index;
}

void PassTracker::finishPass() {
    if (contiguous_)
        ++contiguousBySize_[static_cast<uint64_t>(lastIndex_ + 1)];
    else
        ++broken_;
}

uint64_t PassTracker::incomplete() const {
    if (contiguousBySize_.empty()) return broken_;
    uint64_t shorter = 0;
    const uint64_t largest = contiguousBySize_.rbegin()->first;
    for (const auto& [size, count] : contiguousBySize_)
        if (size < largest) shorter += count;
    return broken_ + shorter;
}

double PassTracker::secondsSinceFirstPass(Clock::time_point end) const {
    if (passes_ == 0) return 0.0;
    return std::chrono::duration<double>(end - first_).count();
}

uint64_t PassTracker::missing(Clock::time_point end) const {
    if (passes_ == 0) return 0;
    const auto expected =
        1 + static_cast<uint64_t>(std::floor(secondsSinceFirstPass(end) * protocol::kPassesPerSecond));
    return expected > passes_ ? expected - passes_ : 0;
}

uint64_t PassTracker::missingWithinRun() const {
    constexpr double kTurnMs = 1000.0 / protocol::kPassesPerSecond;
    // A step of the lasting lag this large is a lost pass, not lateness.
    constexpr double kLostPassStepMs = 0.8 * kTurnMs;
    // The lag of each arrival behind the pace, keeping only what lasts: the
    // least lag of that arrival and every later one.
    std::vector<double> lastingLag(arrivalsMs_.size());
    double least = 0;
    for (size_t i = arrivalsMs_.size(); i-- > 0;) {
        const double lag = arrivalsMs_[i] - kTurnMs * static_cast<double>(i);
        least = i + 1 == arrivalsMs_.size() ? lag : std::min(least, lag);
        lastingLag[i] = least;
    }
    uint64_t lost = 0;
    for (size_t i = 1; i < lastingLag.size(); ++i) {
        const double step = lastingLag[i] - lastingLag[i - 1];
        if (step >= kLostPassStepMs) lost += static_cast<uint64_t>(std::llround(step / kTurnMs));
    }
    return lost;
}

}  // namespace ocre::common
