#pragma once
// Gathers the server's camera and actor messages into whole passes. A pass
// is a camera message and the actor messages after it (indices 0 .. n-1).
// It is handed out as soon as its last expected actor arrives (the count
// of the pass before), or at the next camera message, so spectators do not
// wait a turn for it. An actor message lost on the way keeps its place
// with the values of the pass before.

#include <cstdint>
#include <optional>

#include "relay/LiveFrame.h"

namespace ocre::relay {

class PassAssembler {
public:
    std::optional<LivePass> onCamera(uint32_t x, uint32_t y);
    std::optional<LivePass> onActor(uint32_t index, uint32_t x, uint32_t y, uint32_t animation);

private:
    std::optional<LivePass> finish();

    bool inPass_ = false;
    bool handedOut_ = false;
    size_t expected_ = 0;
    LivePass current_;
    LivePass previous_;
};

}  // namespace ocre::relay
