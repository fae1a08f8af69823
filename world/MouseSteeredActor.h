#pragma once
// The player's actor. It walks on the map in steps under its controller,
// follows a movement program (a patrol path on fire2, or the route found to
// a clicked point), and a click on a talker opens a conversation with it
// and waits for its end. Clicks need a MouseController (the press position
// and the pointer); with another controller fire1 only resumes following.

#include <cstdint>
#include <memory>

#include "data/Behaviour.h"
#include "data/DataSetFiles.h"
#include "world/Actor.h"

namespace ocre {

class Controller;
class Talker;

// The patrol path a standing actor starts on fire2.
constexpr const char* kPatrolPathFile = dataset::kSheepPathFile;
constexpr int32_t kDefaultWalkSpeed = 16;

class MouseSteeredActor : public Actor {
public:
    enum class Routine {
        Idle,
        WalkRight,
        WalkLeft,
        WalkUp,
        WalkDown,
        StandRight,
        StandLeft,
        StandDown,
        StandUp,
        FollowBehaviour,
        OnClick,
        WaitTalk,
    };

    // Starts in follow behaviour with the given behaviour (owned; may be
    // null). The controller is not owned.
    MouseSteeredActor(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag,
                      Controller* controller, std::unique_ptr<Behaviour> behaviour);
    ~MouseSteeredActor() override;

    Routine routine() const { return routine_; }
    void setRoutine(Routine routine) { routine_ = routine; }
    int32_t speed() const { return speed_; }
    void setSpeed(int32_t speed) { speed_ = speed; }
    Behaviour* behaviour() const { return behaviour_.get(); }
    // The talker whose conversation this actor waits for, if any.
    Talker* talkPartner() const { return talkPartner_; }

protected:
    void runStateRoutine() override;

private:
    // One walk and one stand routine, each given its direction's
    // description from the source.
    struct Walk;
    struct Stand;
    void walk(const Walk& direction);
    void stand(const Stand& direction);
    void followBehaviourRoutine();
    void onClick();
    void waitTalk();

    void become(Routine routine, uint32_t animation);
    bool held(int32_t (Controller::*query)());

    int32_t speed_ = kDefaultWalkSpeed;
    Talker* talkPartner_ = nullptr;
    std::unique_ptr<Behaviour> behaviour_;
    Controller* controller_;
    Routine routine_ = Routine::FollowBehaviour;
};

}  // namespace ocre
