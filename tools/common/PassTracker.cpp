#include "tools/common/PassTracker.h"

#include <algorithm>
#include <cmath>

#include "protocol/ProtocolTexts.h"

namespace ocre::common {

namespace {
constexpr double kTurnMs = 1000.0 / protocol::kPassesPerSecond;
// A step of the lasting lag this large is a lost pass, not lateness.
constexpr double kLostPassStepMs = 0.8 * kTurnMs;
// A pass late by less than this many passes' time is late, not lost.
constexpr size_t kLagWindow = protocol::kPassesPerSecond;
}  // namespace

void PassTracker::onCamera(Clock::time_point now) {
    if (inPass_) finishPass();
    if (passes_ == 0) first_ = now;
    last_ = now;
    const double arrivalMs = std::chrono::duration<double, std::milli>(now - first_).count();
    recentLagsMs_.push_back(arrivalMs - kTurnMs * static_cast<double>(passes_));
    if (recentLagsMs_.size() > kLagWindow) {
        settleLag(*std::min_element(recentLagsMs_.begin(), recentLagsMs_.end()), settledLagMs_, lagSettled_,
                  lostPasses_);
        recentLagsMs_.pop_front();
    }
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

void PassTracker::settleLag(double lastingLagMs, double& settledMs, bool& settled, uint64_t& lost) {
    const double step = lastingLagMs - settledMs;
    if (settled && step >= kLostPassStepMs) lost += static_cast<uint64_t>(std::llround(step / kTurnMs));
    settledMs = lastingLagMs;
    settled = true;
}

uint64_t PassTracker::missingWithinRun() const {
    // The arrivals still in the window settle as if the run ended here.
    double settledMs = settledLagMs_;
    bool settled = lagSettled_;
    uint64_t lost = lostPasses_;
    for (auto from = recentLagsMs_.begin(); from != recentLagsMs_.end(); ++from)
        settleLag(*std::min_element(from, recentLagsMs_.end()), settledMs, settled, lost);
    return lost;
}

}  // namespace ocre::common
