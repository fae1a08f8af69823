#pragma once
// An actor that follows one movement program (a jump or a path) until it
// ends or leaves the map, then stands facing left for good.

#include <cstdint>
#include <memory>

#include "data/Behaviour.h"
#include "world/Actor.h"

namespace ocre {

class Controller;

class BehaviourWalker : public Actor {
public:
    enum class Routine { Idle, FollowToEnd };

    // Starts following at its first scheduled update. The behaviour is
    // owned; the controller is kept for its owner but steers nothing.
    BehaviourWalker(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag,
                    Controller* controller, std::unique_ptr<Behaviour> behaviour);
    ~BehaviourWalker() override;

    Routine routine() const { return routine_; }
    void setRoutine(Routine routine) { routine_ = routine; }
    Behaviour* behaviour() const { return behaviour_.get(); }
    Controller* controller() const { return controller_; }

protected:
    void runStateRoutine() override;

private:
    void followToEnd();

    Controller* controller_;
    std::unique_ptr<Behaviour> behaviour_;
    Routine routine_ = Routine::FollowToEnd;
};

}  // namespace ocre
