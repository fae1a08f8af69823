#pragma once
// The actor a remote client steers: four-way walking in fixed steps with
// no map test at all; positions wrap around like any unsigned number.

#include <cstdint>

#include "world/Actor.h"

namespace ocre {

class Controller;

class NetworkSteeredActor : public Actor {
public:
    enum class Routine { Idle, Stand, WalkRight, WalkLeft, WalkUp, WalkDown };

    // Starts standing; the controller is not owned.
    NetworkSteeredActor(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag,
                        Controller* controller);

    Routine routine() const { return routine_; }
    void setRoutine(Routine routine) { routine_ = routine; }

protected:
    void runStateRoutine() override;

private:
    void stand();
    void walkRight();
    void walkLeft();
    void walkUp();
    void walkDown();

    void become(Routine routine, uint32_t animation);
    bool held(int32_t (Controller::*query)());

    Controller* controller_;
    Routine routine_ = Routine::Stand;
};

}  // namespace ocre
