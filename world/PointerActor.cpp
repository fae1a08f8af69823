#include "world/PointerActor.h"

#include "world/ActorView.h"
#include "world/AnimationIndex.h"
#include "world/Controller.h"
#include "world/Pointer.h"

namespace ocre {

PointerActor::PointerActor(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag,
                           Controller* controller, const ActorView* view)
    : Actor(period, frames, x, y, tag), controller_(controller), view_(view) {}

void PointerActor::runStateRoutine() {
    switch (routine_) {
        case Routine::Idle: break;
        case Routine::FollowPointer: followPointer(); break;
    }
}

// The arrow shows the first direction that holds, up when none does.
void PointerActor::followPointer() {
    const ScreenPoint pointer = pointerPosition();
    x = static_cast<uint32_t>(view_ ? view_->toWorldX(pointer.x) : pointer.x);
    y = static_cast<uint32_t>(view_ ? view_->toWorldY(pointer.y) : pointer.y);
    if (controller_ != nullptr && controller_->left() != 0) {
        setAnimation(kWalkLeft);
    } else if (controller_ != nullptr && controller_->right() != 0) {
        setAnimation(kWalkRight);
    } else if (controller_ != nullptr && controller_->down() != 0) {
        setAnimation(kWalkDown);
    } else {
        setAnimation(kWalkUp);
    }
}

}  // namespace ocre
