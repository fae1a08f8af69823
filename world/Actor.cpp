#include "world/Actor.h"

#include "gfx/Display.h"
#include "world/Scene.h"

namespace ocre {

Actor::Actor(int32_t periodValue, const DatStructure& frames, uint32_t xValue, uint32_t yValue, uint32_t tagValue)
    : tag(tagValue), x(xValue), y(yValue), period(periodValue) {
    animations_.reserve(frames.records.size());
    for (const FrameSet& set : frames.records) animations_.push_back(std::make_unique<AnimatedSprite>(set));
    if (!animations_.empty()) current_ = animations_.front().get();
}

Actor::~Actor() = default;

bool Actor::tick() {
    tickCounter = tickCounter < period ? tickCounter + 1 : 0;
    return tickCounter == period;
}

void Actor::update() {
    if (tick()) runStateRoutine();
}

void Actor::draw(int32_t viewX, int32_t viewY, int32_t screenX, int32_t screenY, int32_t, int32_t) {
    Scene* scene = currentScene();
    if (!visible || current_ == nullptr || scene == nullptr || scene->display() == nullptr) return;
    // Unsigned arithmetic: a position that wrapped still lands somewhere
    // defined (and off screen) instead of overflowing.
    current_->draw(static_cast<int32_t>(x - static_cast<uint32_t>(viewX) + static_cast<uint32_t>(screenX)),
                   static_cast<int32_t>(y - static_cast<uint32_t>(viewY) + static_cast<uint32_t>(screenY)),
                   *scene->display());
}

bool Actor::hitTest(uint32_t px, uint32_t py) const {
    const BoundingBox* box = current_ ? current_->currentBox() : nullptr;
    if (box == nullptr) return false;
    return x + static_cast<uint32_t>(box->right) >= px && x + static_cast<uint32_t>(box->left) <= px &&
           y + static_cast<uint32_t>(box->bottom) >= py && y + static_cast<uint32_t>(box->top) <= py;
}

void Actor::setAnimation(uint32_t n) {
    if (n >= animations_.size()) return;
    current_ = animations_[n].get();
    currentIndex_ = n;
}

void Actor::setCurrentAnimation(AnimatedSprite* animation) {
    current_ = animation;
    currentIndex_ = 0;
    for (uint32_t i = 0; i < animations_.size(); ++i) {
        if (animations_[i].get() == animation) {
            currentIndex_ = i;
            return;
        }
    }
}

AnimatedSprite* Actor::animation(uint32_t n) const { return n < animations_.size() ? animations_[n].get() : nullptr; }

}  // namespace ocre
