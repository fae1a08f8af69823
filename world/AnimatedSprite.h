#pragma once
// Playback of one animation: the frames and boxes of a FrameSet (shared,
// not owned) and which frame shows now. It advances only when drawn.

#include <cstdint>

#include "data/FrameSet.h"

namespace ocre {

class Display;

struct AnimatedSprite {
    explicit AnimatedSprite(const FrameSet& frameSet);

    // Advances (first counting up to the frame delay) then draws the frame.
    void draw(int32_t x, int32_t y, Display& display);
    // Null for a frame without a box (a record built short of its frame
    // count): such a frame has nothing to hit.
    const BoundingBox* currentBox() const;

    const FrameSet* frameSet;
    uint32_t active = 1;
    uint32_t frameIndex = 0;
    uint32_t frameCount;
    uint32_t tickCounter = 0;
    uint32_t frameDelay;
    uint32_t width;
    uint32_t height;
};

}  // namespace ocre
