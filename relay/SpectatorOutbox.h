#pragma once
// What waits to be written to one spectator. At most one frame waits: a
// newer one replaces it, so a slow spectator skips passes and costs no
// more memory than one shared frame. Text (the status) is sent before the
// frame and also replaced by newer text. A spectator whose write has not
// finished for kStallLimit takes nothing and is to be dropped.
// Time is an argument; the socket is the caller's.

#include <chrono>
#include <optional>
#include <string>
#include <variant>

#include "relay/DelayLine.h"

namespace ocre::relay {

constexpr std::chrono::seconds kStallLimit{10};

class SpectatorOutbox {
public:
    using Clock = std::chrono::steady_clock;
    using Item = std::variant<std::string, SharedFrame>;

    explicit SpectatorOutbox(Clock::time_point now) : lastProgress_(now) {}

    void offerFrame(SharedFrame frame) { frame_ = std::move(frame); }
    void offerText(std::string text) { text_ = std::move(text); }
    // The next item to write, if none is being written; it is then being
    // written until written() is called.
    std::optional<Item> startWrite(Clock::time_point now);
    void written(Clock::time_point now);
    bool writing() const { return writing_; }
    bool stalled(Clock::time_point now) const { return writing_ && now - lastProgress_ >= kStallLimit; }

private:
    SharedFrame frame_;
    std::optional<std::string> text_;
    bool writing_ = false;
    Clock::time_point lastProgress_;
};

}  // namespace ocre::relay
