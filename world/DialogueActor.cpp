#include "world/DialogueActor.h"

#include "dialogue/DialogueBox.h"
#include "world/AnimationIndex.h"
#include "world/Scene.h"

namespace ocre {

namespace {
constexpr int32_t kPaceStep = 4;
}  // namespace

DialogueActor::DialogueActor(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag,
                             DialogueBox* box, Controller* controller, const GlyphSource* font,
                             int32_t talkAnimation)
    : Talker(period, frames, x, y, tag, box, controller, font, talkAnimation) {}

// The choice list is laid out as drawn at the screen's origin.
int32_t DialogueActor::pickChoice() {
    if (dialogueBox() == nullptr || font() == nullptr) return -1;
    return mouseChoice(*dialogueBox(), *font());
}

void DialogueActor::runStateRoutine() {
    switch (routine_) {
        case Routine::Idle: break;
        case Routine::Start: start(); break;
        case Routine::PaceRight: paceRight(); break;
        case Routine::PaceLeft: paceLeft(); break;
    }
}

void DialogueActor::start() {
    setAnimation(kWalkRight);
    routine_ = Routine::PaceRight;
}

// The right limit is taken unsigned, as the position is.
void DialogueActor::paceRight() {
    const Scene* scene = currentScene();
    const uint32_t mapWidth = scene ? scene->mapWidth() : 0;
    if (x + static_cast<uint32_t>(kPaceStep) > mapWidth - currentWidth()) {
        direction_ = -1;
        setAnimation(kWalkLeft);
        routine_ = Routine::PaceLeft;
        return;
    }
    x += static_cast<uint32_t>(direction_ * kPaceStep);
}

void DialogueActor::paceLeft() {
    if (static_cast<int64_t>(static_cast<int32_t>(x)) - kPaceStep < 0) {
        direction_ = 1;
        setAnimation(kWalkRight);
        routine_ = Routine::PaceRight;
        return;
    }
    x += static_cast<uint32_t>(direction_ * kPaceStep);
}

}  // namespace ocre
