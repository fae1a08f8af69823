#pragma once
// Who steers the dragon from a browser, and which command words are due.
// One spectator at a time holds the controls: it asks for them, keeps them
// until it gives them back, leaves, or sends nothing for kSteeringIdle;
// losing them lets go of every key. While a key is held its word is due
// once per server turn (never more often), so holding walks, letting go
// stops at once and nothing piles up.
// Time is an argument, so the rules are tested without waiting.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "relay/SteeringMessage.h"

namespace ocre::relay {

using SpectatorId = uint64_t;

constexpr std::chrono::seconds kSteeringIdle{30};
constexpr std::chrono::milliseconds kCommandSpacing{1000 / protocol::kPassesPerSecond};

class SteeringRules {
public:
    using Clock = std::chrono::steady_clock;

    // Any message of the spectator: it is not idle.
    void noteActivity(SpectatorId spectator, Clock::time_point now);
    // True when the spectator holds the controls afterwards.
    bool ask(SpectatorId spectator, Clock::time_point now);
    void release(SpectatorId spectator);
    // Keys count only from the holder; word indexes kSteeringWords.
    void keyDown(SpectatorId spectator, int word, Clock::time_point now);
    void keyUp(SpectatorId spectator, int word);

    // Drops an idle holder; true if it did.
    bool expire(Clock::time_point now);
    // The words to send now (each then waits kCommandSpacing).
    std::vector<int> due(Clock::time_point now);
    // When the next word falls due, if a key is held.
    std::optional<Clock::time_point> nextDue() const;

    std::optional<SpectatorId> holder() const { return holder_; }

private:
    void letGoOfAll();

    std::optional<SpectatorId> holder_;
    Clock::time_point lastActivity_{};
    std::array<std::optional<Clock::time_point>, kSteeringWordCount> nextSend_{};
    std::array<std::optional<Clock::time_point>, kSteeringWordCount> lastSent_{};
};

}  // namespace ocre::relay
