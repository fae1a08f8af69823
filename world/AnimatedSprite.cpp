#include "world/AnimatedSprite.h"

#include "gfx/Display.h"

namespace ocre {

AnimatedSprite::AnimatedSprite(const FrameSet& set)
    : frameSet(&set),
      frameCount(set.frameCount),
      frameDelay(set.frameDelay),
      width(set.width),
      height(set.height) {}

const BoundingBox* AnimatedSprite::currentBox() const {
    if (frameCount == 0 || frameIndex >= frameSet->boxes.size()) return nullptr;
    return frameSet->boxes[frameIndex].get();
}

void AnimatedSprite::draw(int32_t x, int32_t y, Display& display) {
    if (tickCounter >= frameDelay) {
        frameIndex = frameIndex >= frameCount - 1 ? 0 : frameIndex + 1;
        tickCounter = 0;
    } else {
        ++tickCounter;
    }
    if (frameIndex >= frameSet->frames.size()) return;
    display.drawSurface(frameSet->frames[frameIndex].get(), static_cast<int16_t>(x), static_cast<int16_t>(y),
                        static_cast<uint16_t>(width), static_cast<uint16_t>(height));
}

}  // namespace ocre
