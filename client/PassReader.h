#pragma once
// The client's reading of the server's datagrams, over plain bytes (no
// socket, no SDL): replies, and the passes (a camera message, then one
// actor message per actor) that it assembles into the latest picture.
// Whatever is not a well-formed reply, camera or actor message for this
// client, with an actor and animation the data set has, is ignored.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/PassTracker.h"

namespace ocre::client {

using Clock = std::chrono::steady_clock;

struct ActorState {
    bool known = false;  // seen in some pass
    int32_t x = 0;       // positions wrapped below 0 read as negative
    int32_t y = 0;
    uint32_t animation = 0;
};

struct Pass {
    int32_t cameraX = 0;
    int32_t cameraY = 0;
    std::vector<ActorState> actors;  // by list index
};

class PassReader {
public:
    enum class Kind { Ignored, Accepted, Refused, Display };
    struct Outcome {
        Kind kind = Kind::Ignored;
        std::string detail;  // greeting or refusal reason
    };

    // animationCounts[i]: how many animations actor i has in the data set.
    explicit PassReader(std::vector<uint32_t> animationCounts);

    Outcome receive(const uint8_t* bytes, size_t length, Clock::time_point now);

    // The next camera message decides the client number again (after a
    // new acceptance: a restarted server may number the client anew).
    void forgetClientNumber() { client_.reset(); }
    std::optional<uint32_t> clientNumber() const { return client_; }

    // The last finished pass; an actor missing from it keeps its state
    // from the passes before.
    const Pass& latest() const { return latest_; }
    // Whether a pass finished since the last call.
    bool takeNewPass();

    uint64_t passes() const { return tracker_.passes(); }
    uint64_t missing(Clock::time_point now) const { return tracker_.missing(now); }
    // Passes finished during the second before now.
    size_t passesInLastSecond(Clock::time_point now);
    uint64_t ignored() const { return ignored_; }
    // When the last display message for this client arrived, if any did.
    std::optional<Clock::time_point> lastUpdate() const { return lastUpdate_; }

private:
    void finishPass(Clock::time_point now);

    std::vector<uint32_t> animationCounts_;
    std::optional<uint32_t> client_;
    Pass latest_;
    Pass building_;
    bool inPass_ = false;
    bool newPass_ = false;
    common::PassTracker tracker_;
    std::deque<Clock::time_point> recentPasses_;
    uint64_t ignored_ = 0;
    std::optional<Clock::time_point> lastUpdate_;
};

}  // namespace ocre::client
