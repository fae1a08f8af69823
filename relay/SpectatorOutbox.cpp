#include "relay/SpectatorOutbox.h"

namespace ocre::relay {

std::optional<SpectatorOutbox::Item> SpectatorOutbox::startWrite(Clock::time_point now) {
    if (writing_) return std::nullopt;
    std::optional<Item> item;
    if (text_) {
        item = std::move(*text_);
        text_.reset();
    } else if (frame_) {
        item = std::move(frame_);
        frame_.reset();
    } else {
        return std::nullopt;
    }
    writing_ = true;
    lastProgress_ = now;
    return item;
}

void SpectatorOutbox::written(Clock::time_point now) {
    writing_ = false;
    lastProgress_ = now;
}

}  // namespace ocre::relay
