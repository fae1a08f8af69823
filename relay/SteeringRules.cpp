#include "relay/SteeringRules.h"

namespace ocre::relay {

void SteeringRules::noteActivity(SpectatorId spectator, Clock::time_point now) {
    if (holder_ == spectator) lastActivity_ = now;
}

bool SteeringRules::ask(SpectatorId spectator, Clock::time_point now) {
    if (!holder_) {
        holder_ = spectator;
        lastActivity_ = now;
    }
    return holder_ == spectator;
}

void SteeringRules::release(SpectatorId spectator) {
    if (holder_ != spectator) return;
    holder_.reset();
    letGoOfAll();
}

void SteeringRules::keyDown(SpectatorId spectator, int word, Clock::time_point now) {
    if (holder_ != spectator || word < 0 || word >= kSteeringWordCount) return;
    lastActivity_ = now;
    auto& next = nextSend_[static_cast<size_t>(word)];
    if (next) return;  // repeats of a held key change nothing
    const auto& last = lastSent_[static_cast<size_t>(word)];
    // A key pressed again right after its last send still waits out the
    // spacing, so tapping cannot send faster than holding.
    next = last && *last + kCommandSpacing > now ? *last + kCommandSpacing : now;
}

void SteeringRules::keyUp(SpectatorId spectator, int word) {
    if (holder_ != spectator || word < 0 || word >= kSteeringWordCount) return;
    nextSend_[static_cast<size_t>(word)].reset();
}

bool SteeringRules::expire(Clock::time_point now) {
    if (!holder_ || now - lastActivity_ < kSteeringIdle) return false;
    holder_.reset();
    letGoOfAll();
    return true;
}

std::vector<int> SteeringRules::due(Clock::time_point now) {
    std::vector<int> words;
    for (int i = 0; i < kSteeringWordCount; ++i) {
        auto& next = nextSend_[static_cast<size_t>(i)];
        if (!next || *next > now) continue;
        words.push_back(i);
        lastSent_[static_cast<size_t>(i)] = now;
        next = now + kCommandSpacing;
    }
    return words;
}

std::optional<SteeringRules::Clock::time_point> SteeringRules::nextDue() const {
    std::optional<Clock::time_point> earliest;
    for (const auto& next : nextSend_)
        if (next && (!earliest || *next < *earliest)) earliest = next;
    return earliest;
}

void SteeringRules::letGoOfAll() {
    for (auto& next : nextSend_) next.reset();
}

}  // namespace ocre::relay
