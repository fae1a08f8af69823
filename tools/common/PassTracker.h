#pragma once
// Counts one client's passes as they arrive: a pass is a camera message and
// the actor messages after it. Each finished pass is judged by its actor
// indices (0, 1, .. n-1, n the largest actor count seen), the whole run by
// the server's pace.

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>

namespace ocre::common {

class PassTracker {
public:
    using Clock = std::chrono::steady_clock;

    void onCamera(Clock::time_point now);
    void onActor(uint32_t index);

    uint64_t passes() const { return passes_; }
    // Finished passes whose indices were not exactly 0 .. n-1.
    uint64_t incomplete() const;
    // Actor messages not above the previous index of their pass, or before
    // any camera message.
    uint64_t disorder() const { return disorder_; }
    // Seconds from the first camera message to end (0 before it).
    double secondsSinceFirstPass(Clock::time_point end) const;
    // Passes short of the expected pace from the first camera message to end.
    uint64_t missing(Clock::time_point end) const;
    // Passes lost between the first and the last camera message. Passes
    // carry no number, so a lost one shows as the arrivals falling a whole
    // turn behind the pace for good; a late turn of the server only drifts
    // them by a few milliseconds, and a pass that arrives late, then its
    // successor early, falls behind for a moment only (less than a second
    // of passes). Neither counts.
    uint64_t missingWithinRun() const;

private:
    void finishPass();
    // Takes the lasting lag of the oldest arrival of the window; a step up
    // of nearly a turn or more is that many lost passes.
    static void settleLag(double lastingLagMs, double& settledMs, bool& settled, uint64_t& lost);

    uint64_t passes_ = 0;
    uint64_t disorder_ = 0;
    Clock::time_point first_{};
    Clock::time_point last_{};
    // How far each arrival lags behind the pace, for the last second of
    // passes; what lasts beyond that window is settled into lostPasses_.
    std::deque<double> recentLagsMs_;
    double settledLagMs_ = 0;
    bool lagSettled_ = false;
    uint64_t lostPasses_ = 0;
    bool inPass_ = false;
    bool contiguous_ = true;
    int64_t lastIndex_ = -1;
    uint64_t broken_ = 0;
    // Finished contiguous passes by their actor count.
    std::map<uint64_t, uint64_t> contiguousBySize_;
};

}  // namespace ocre::common
