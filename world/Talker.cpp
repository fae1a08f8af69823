#include "world/Talker.h"

#include "dialogue/DialogueBox.h"
#include "gfx/Display.h"
#include "world/Controller.h"
#include "world/Scene.h"

namespace ocre {

namespace {

uint32_t checkedTalkAnimation(int32_t index, const DatStructure& frames) {
    return index >= 0 && static_cast<size_t>(index) < frames.records.size() ? static_cast<uint32_t>(index) : 0;
}

// The cursor is not bounded here (highlighting clamps it), so it moves with
// wrap-around rather than overflowing.
int32_t moveCursor(int32_t cursor, int32_t delta) {
    return static_cast<int32_t>(static_cast<uint32_t>(cursor) + static_cast<uint32_t>(delta));
}

}  // namespace

Talker::Talker(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag, DialogueBox* box,
               Controller* controller, const GlyphSource* font, int32_t talkAnimation)
    : Actor(period, frames, x, y, tag),
      box_(box),
      controller_(controller),
      font_(font),
      talkAnimation_(checkedTalkAnimation(talkAnimation, frames)) {}

void Talker::update() {
    const bool routineDue = tick();
    inputCounter_ = inputCounter_ < inputPeriod_ ? inputCounter_ + 1 : 0;
    if (talking_ != 0) {
        converse(inputCounter_ == inputPeriod_);
    } else if (routineDue) {
        runStateRoutine();
    }
}

// Only a talker with a box ever talks (openConversation), and its box
// never changes.
void Talker::converse(bool inputDue) {
    if (inputDue && controller_ != nullptr && controller_->fire1() != 0) {
        const int32_t choice = pickChoice();
        choiceCursor_ = choice;
        if (choice != -1) {
            box_->highlight(choice);
            box_->validate();
        }
    }
    if (box_->finished()) {
        talking_ = 0;
        setCurrentAnimation(savedAnimation_);
    }
}

void Talker::draw(int32_t viewX, int32_t viewY, int32_t screenX, int32_t screenY, int32_t viewWidth,
                  int32_t viewHeight) {
    Actor::draw(viewX, viewY, screenX, screenY, viewWidth, viewHeight);
    if (talking_ == 0 || box_ == nullptr || font_ == nullptr) return;
    Scene* scene = currentScene();
    if (scene == nullptr || scene->display() == nullptr) return;
    box_->draw(screenX, screenY, viewWidth, viewHeight, *scene->display(), *font_);
}

int32_t Talker::pickChoice() {
    if (controller_ == nullptr) return choiceCursor_;
    if (controller_->down() != 0) choiceCursor_ = moveCursor(choiceCursor_, 1);
    if (controller_->up() != 0) choiceCursor_ = moveCursor(choiceCursor_, -1);
    return choiceCursor_;
}

bool Talker::openConversation() {
    if (box_ == nullptr) return false;
    talking_ = 1;
    box_->reset();
    savedAnimation_ = currentAnimation();
    setAnimation(talkAnimation_);
    return true;
}

}  // namespace ocre
