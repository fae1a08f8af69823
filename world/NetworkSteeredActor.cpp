#include "world/NetworkSteeredActor.h"

#include "world/AnimationIndex.h"
#include "world/Controller.h"

namespace ocre {

namespace {
constexpr uint32_t kStep = 30;
}  // namespace

NetworkSteeredActor::NetworkSteeredActor(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y,
                                         uint32_t tag, Controller* controller)
    : Actor(period, frames, x, y, tag), controller_(controller) {}

void NetworkSteeredActor::runStateRoutine() {
    switch (routine_) {
        case Routine::Idle: break;
        case Routine::Stand: stand(); break;
        case Routine::WalkRight: walkRight(); break;
        case Routine::WalkLeft: walkLeft(); break;
        case Routine::WalkUp: walkUp(); break;
        case Routine::WalkDown: walkDown(); break;
    }
}

void NetworkSteeredActor::become(Routine routine, uint32_t animation) {
    routine_ = routine;
    setAnimation(animation);
}

bool NetworkSteeredActor::held(int32_t (Controller::*query)()) {
    return controller_ != nullptr && (controller_->*query)() != 0;
}

// Rows are asked in order and a later one overrides an earlier one; in the
// walk routines the held direction alone decides, as its last row.
void NetworkSteeredActor::stand() {
    if (held(&Controller::right)) become(Routine::WalkRight, kWalkRight);
    if (held(&Controller::left)) become(Routine::WalkLeft, kWalkLeft);
    if (held(&Controller::up)) become(Routine::WalkUp, kWalkUp);
    if (held(&Controller::down)) become(Routine::WalkDown, kWalkDown);
}

void NetworkSteeredActor::walkRight() {
    if (held(&Controller::left)) become(Routine::Stand, kStandLeft);
    if (held(&Controller::up)) become(Routine::Stand, kStandUp);
    if (held(&Controller::down)) become(Routine::Stand, kStandDown);
    if (held(&Controller::right)) {
        x += kStep;
        return;
    }
    become(Routine::Stand, kStandRight);
}

void NetworkSteeredActor::walkLeft() {
    if (held(&Controller::right)) become(Routine::Stand, kStandRight);
    if (held(&Controller::up)) become(Routine::Stand, kStandUp);
    if (held(&Controller::down)) become(Routine::Stand, kStandDown);
    if (held(&Controller::left)) {
        x -= kStep;
        return;
    }
    become(Routine::Stand, kStandLeft);
}

void NetworkSteeredActor::walkUp() {
    if (held(&Controller::left)) become(Routine::Stand, kStandLeft);
    if (held(&Controller::right)) become(Routine::Stand, kStandRight);
    if (held(&Controller::down)) become(Routine::Stand, kStandDown);
    if (held(&Controller::up)) {
        y -= kStep;
        return;
    }
    become(Routine::Stand, kStandUp);
}

void NetworkSteeredActor::walkDown() {
    if (held(&Controller::left)) become(Routine::Stand, kStandLeft);
    if (held(&Controller::right)) become(Routine::Stand, kStandRight);
    if (held(&Controller::up)) become(Routine::Stand, kStandUp);
    if (held(&Controller::down)) {
        y += kStep;
        return;
    }
    become(Routine::Stand, kStandDown);
}

}  // namespace ocre
