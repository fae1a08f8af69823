#include "relay/PassAssembler.h"

namespace ocre::relay {

std::optional<LivePass> PassAssembler::onCamera(uint32_t x, uint32_t y) {
    std::optional<LivePass> finished;
    if (inPass_ && !handedOut_ && !current_.actors.empty()) finished = finish();
    inPass_ = true;
    handedOut_ = false;
    current_.cameraX = static_cast<int32_t>(x);
    current_.cameraY = static_cast<int32_t>(y);
    current_.actors.clear();
    return finished;
}

std::optional<LivePass> PassAssembler::onActor(uint32_t index, uint32_t x, uint32_t y, uint32_t animation) {
    if (!inPass_ || index >= kMaxLiveFrameActors) return std::nullopt;
    auto& actors = current_.actors;
    const bool grows = index >= actors.size();
    while (actors.size() <= index) {
        const size_t gap = actors.size();
        actors.push_back(gap < previous_.actors.size() ? previous_.actors[gap]
                                                       : LiveActor{static_cast<int32_t>(gap), 0, 0, 0});
    }
    actors[index] = LiveActor{static_cast<int32_t>(index), static_cast<int32_t>(x), static_cast<int32_t>(y),
                              static_cast<int32_t>(animation)};
    // A pass that turns out longer than the one before is handed out again
    // whole at the next camera message.
    if (handedOut_) {
        if (grows) handedOut_ = false;
        return std::nullopt;
    }
    if (expected_ > 0 && actors.size() >= expected_) return finish();
    return std::nullopt;
}

std::optional<LivePass> PassAssembler::finish() {
    handedOut_ = true;
    expected_ = current_.actors.size();
    previous_ = current_;
    return current_;
}

}  // namespace ocre::relay
