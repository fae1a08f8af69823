#pragma once
// Everything that lives in the world: a position, a depth, an animation
// list built from a DatStructure, and a state routine run on every
// (period+1)-th update. Concrete kinds supply the routines.

#include <cstdint>
#include <memory>
#include <vector>

#include "data/DatStructure.h"
#include "world/AnimatedSprite.h"

namespace ocre {

class ActorView;

constexpr int32_t kDefaultDepth = 50;

class Actor {
public:
    Actor(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag);
    virtual ~Actor();
    Actor(const Actor&) = delete;
    Actor& operator=(const Actor&) = delete;

    virtual bool isTalker() const { return false; }
    // Two kind queries no actor kind answers yet: kept for new kinds, as
    // are show, hide, setCurrentAnimation and animation(n), which nothing
    // in the game calls.
    virtual bool queryB() const { return false; }
    virtual bool queryC() const { return false; }
    virtual void update();
    virtual void draw(int32_t viewX, int32_t viewY, int32_t screenX, int32_t screenY, int32_t viewWidth,
                      int32_t viewHeight);
    virtual void show() { visible = 1; }
    virtual void hide() { visible = 0; }

    // Whether a world point lies on the current frame's box (edges in).
    bool hitTest(uint32_t px, uint32_t py) const;

    // current animation := entry n of the list (ignored if out of range).
    void setAnimation(uint32_t n);
    // Position of the current animation in the list, 0 if not found.
    uint32_t animationIndex() const { return currentIndex_; }
    AnimatedSprite* currentAnimation() const { return current_; }
    void setCurrentAnimation(AnimatedSprite* animation);
    AnimatedSprite* animation(uint32_t n) const;
    uint32_t animationCount() const { return static_cast<uint32_t>(animations_.size()); }
    uint32_t currentWidth() const { return current_ ? current_->width : 0; }
    uint32_t currentHeight() const { return current_ ? current_->height : 0; }

    int32_t depth = kDefaultDepth;
    ActorView* followedBy = nullptr;
    uint8_t visible = 1;
    uint32_t tag;
    uint32_t x;
    uint32_t y;
    int32_t tickCounter = 0;
    int32_t period;

protected:
    // Advances the tick counter; true when the state routine is due.
    bool tick();
    // The current state routine; the base one is idle.
    virtual void runStateRoutine() {}

private:
    std::vector<std::unique_ptr<AnimatedSprite>> animations_;
    AnimatedSprite* current_ = nullptr;
    // Kept beside current_: every view sends it for every actor every pass.
    uint32_t currentIndex_ = 0;
};

}  // namespace ocre
