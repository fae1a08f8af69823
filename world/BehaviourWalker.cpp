#include "world/BehaviourWalker.h"

#include "world/AnimationIndex.h"
#include "world/Movement.h"

namespace ocre {

BehaviourWalker::BehaviourWalker(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag,
                                 Controller* controller, std::unique_ptr<Behaviour> behaviour)
    : Actor(period, frames, x, y, tag), controller_(controller), behaviour_(std::move(behaviour)) {}

BehaviourWalker::~BehaviourWalker() = default;

void BehaviourWalker::runStateRoutine() {
    switch (routine_) {
        case Routine::Idle: break;
        case Routine::FollowToEnd: followToEnd(); break;
    }
}

// The behaviour stays attached once the walk is over; it is simply no
// longer advanced.
void BehaviourWalker::followToEnd() {
    if (!behaviour_ || !followBehaviour(*this, *behaviour_)) {
        setAnimation(kStandLeft);
        routine_ = Routine::Idle;
        return;
    }
    if (behaviour_->mostlyDown()) {
        setAnimation(kWalkDown);
    } else if (behaviour_->mostlyUp()) {
        setAnimation(kWalkUp);
    } else if (behaviour_->mostlyRight()) {
        setAnimation(kWalkRight);
    } else if (behaviour_->mostlyLeft()) {
        setAnimation(kWalkLeft);
    }
}

}  // namespace ocre
