#pragma once
// The mouse pointer shown in the world: it sits where the pointer is, seen
// through a view's camera, with an arrow animation that tells which way the
// mouse would steer the player's actor.

#include <cstdint>

#include "world/Actor.h"

namespace ocre {

class ActorView;
class Controller;

class PointerActor : public Actor {
public:
    enum class Routine { Idle, FollowPointer };

    // Starts following the pointer; controller and view are not owned.
    PointerActor(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag,
                 Controller* controller, const ActorView* view);

    Routine routine() const { return routine_; }
    void setRoutine(Routine routine) { routine_ = routine; }

protected:
    void runStateRoutine() override;

private:
    void followPointer();

    Controller* controller_;
    const ActorView* view_;
    Routine routine_ = Routine::FollowPointer;
};

}  // namespace ocre
