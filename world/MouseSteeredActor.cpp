#include "world/MouseSteeredActor.h"

#include <cstdio>
#include <iterator>

#include "data/Map.h"
#include "data/Path.h"
#include "dialogue/DialogueBox.h"
#include "pathfind/PathFinderBehaviour.h"
#include "world/AnimationIndex.h"
#include "world/Controller.h"
#include "world/MouseController.h"
#include "world/Movement.h"
#include "world/Scene.h"
#include "world/Talker.h"

namespace ocre {

namespace {

constexpr const char* kPathSearchNotice = "AStar!\n";

using Query = int32_t (Controller::*)();
using Routine = MouseSteeredActor::Routine;

// One row of a routine: when the query holds, the routine and animation
// become these. Rows run in order, so a later row overrides an earlier one.
struct Row {
    Query query;
    Routine routine;
    uint32_t animation;
};

constexpr Row kWalkRightRows[] = {
    {&Controller::fire1, Routine::OnClick, kStandDown},
    {&Controller::left, Routine::WalkLeft, kWalkLeft},
    {&Controller::up, Routine::WalkUp, kWalkUp},
    {&Controller::down, Routine::WalkDown, kWalkDown},
};
constexpr Row kWalkLeftRows[] = {
    {&Controller::fire1, Routine::OnClick, kStandLeft},
    {&Controller::down, Routine::WalkDown, kWalkDown},
    {&Controller::up, Routine::WalkUp, kWalkUp},
    {&Controller::right, Routine::StandRight, kStandLeft},
};
constexpr Row kWalkUpRows[] = {
    {&Controller::fire1, Routine::OnClick, kStandDown},
    {&Controller::left, Routine::StandLeft, kStandLeft},
    {&Controller::right, Routine::StandRight, kStandRight},
    {&Controller::down, Routine::StandDown, kStandDown},
};
constexpr Row kWalkDownRows[] = {
    {&Controller::fire1, Routine::OnClick, kStandDown},
    {&Controller::left, Routine::StandLeft, kStandLeft},
    {&Controller::right, Routine::StandRight, kStandRight},
    {&Controller::up, Routine::StandUp, kStandUp},
};
constexpr Row kStandRightRows[] = {
    {&Controller::fire1, Routine::OnClick, kStandRight},
    {&Controller::left, Routine::WalkLeft, kWalkLeft},
    {&Controller::right, Routine::WalkRight, kWalkRight},
    {&Controller::down, Routine::WalkDown, kWalkDown},
    {&Controller::up, Routine::WalkUp, kWalkUp},
};
constexpr Row kStandLeftRows[] = {
    {&Controller::fire1, Routine::OnClick, kStandLeft},
    {&Controller::right, Routine::WalkRight, kWalkRight},
    {&Controller::left, Routine::WalkLeft, kWalkLeft},
    {&Controller::up, Routine::WalkUp, kWalkUp},
    {&Controller::down, Routine::WalkDown, kWalkDown},
};
constexpr Row kStandDownRows[] = {
    {&Controller::fire1, Routine::OnClick, kStandDown},
    {&Controller::left, Routine::WalkLeft, kWalkLeft},
    {&Controller::right, Routine::WalkRight, kWalkRight},
    {&Controller::up, Routine::WalkUp, kWalkUp},
    {&Controller::down, Routine::WalkDown, kWalkDown},
};
constexpr Row kStandUpRows[] = {
    {&Controller::fire1, Routine::OnClick, kStandUp},
    {&Controller::right, Routine::WalkRight, kWalkRight},
    {&Controller::left, Routine::WalkLeft, kWalkLeft},
    {&Controller::down, Routine::WalkDown, kWalkDown},
    {&Controller::up, Routine::WalkUp, kWalkUp},
};
constexpr Row kFollowRows[] = {
    {&Controller::fire1, Routine::OnClick, kStandLeft},
    {&Controller::right, Routine::WalkRight, kWalkRight},
    {&Controller::left, Routine::WalkLeft, kWalkLeft},
    {&Controller::up, Routine::WalkUp, kWalkUp},
    {&Controller::down, Routine::WalkDown, kWalkDown},
};

// Every row's query is asked, in order; the last row that holds wins.
const Row* lastHeldRow(Controller* controller, const Row* first, const Row* end) {
    if (controller == nullptr) return nullptr;
    const Row* last = nullptr;
    for (const Row* row = first; row != end; ++row)
        if ((controller->*row->query)() != 0) last = row;
    return last;
}

template <size_t N>
const Row* lastHeldRow(Controller* controller, const Row (&rows)[N]) {
    return lastHeldRow(controller, rows, rows + N);
}

// Cell of a pixel position; the division is signed and truncates.
int32_t cellOf(int32_t pixel, uint32_t tileSize) { return pixel / static_cast<int32_t>(tileSize); }

}  // namespace

struct MouseSteeredActor::Walk {
    const Row* rows;
    const Row* rowsEnd;
    Query keepsWalking;
    StepDirection step;
    int32_t signX, signY;  // of the step: -1, 0 or 1
    // Where the walk ends when it is not held or the step is not allowed.
    Routine stops;
    uint32_t stopAnimation;
};

struct MouseSteeredActor::Stand {
    const Row* rows;
    const Row* rowsEnd;
    // The animation fire2 starts the patrol with.
    uint32_t patrolAnimation;
};

namespace {

// The coordinate moved by the speed in the sign's direction; it wraps as
// the unsigned positions do.
void moveBy(uint32_t& coordinate, int32_t sign, int32_t speed) {
    if (sign > 0) coordinate += static_cast<uint32_t>(speed);
    if (sign < 0) coordinate -= static_cast<uint32_t>(speed);
}

}  // namespace

MouseSteeredActor::MouseSteeredActor(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y,
                                     uint32_t tag, Controller* controller, std::unique_ptr<Behaviour> behaviour)
    : Actor(period, frames, x, y, tag), behaviour_(std::move(behaviour)), controller_(controller) {}

MouseSteeredActor::~MouseSteeredActor() = default;

void MouseSteeredActor::runStateRoutine() {
    // Walking right stops facing down, unlike the other directions.
    static constexpr Walk kWalkingRight{std::begin(kWalkRightRows), std::end(kWalkRightRows), &Controller::right,
                                        StepDirection::Right, 1, 0, Routine::StandRight, kStandDown};
    static constexpr Walk kWalkingLeft{std::begin(kWalkLeftRows), std::end(kWalkLeftRows), &Controller::left,
                                       StepDirection::Left, -1, 0, Routine::StandLeft, kStandLeft};
    static constexpr Walk kWalkingUp{std::begin(kWalkUpRows), std::end(kWalkUpRows), &Controller::up,
                                     StepDirection::Up, 0, -1, Routine::StandUp, kStandUp};
    static constexpr Walk kWalkingDown{std::begin(kWalkDownRows), std::end(kWalkDownRows), &Controller::down,
                                       StepDirection::Down, 0, 1, Routine::StandDown, kStandDown};
    static constexpr Stand kStandingRight{std::begin(kStandRightRows), std::end(kStandRightRows), kStandRight};
    static constexpr Stand kStandingLeft{std::begin(kStandLeftRows), std::end(kStandLeftRows), kStandLeft};
    static constexpr Stand kStandingDown{std::begin(kStandDownRows), std::end(kStandDownRows), kStandDown};
    static constexpr Stand kStandingUp{std::begin(kStandUpRows), std::end(kStandUpRows), kStandUp};

    // Dispatched by the routine itself: this runs every turn, and a switch
    // reaches the direction's description without searching for it.
    switch (routine_) {
        case Routine::Idle: break;
        case Routine::WalkRight: walk(kWalkingRight); break;
        case Routine::WalkLeft: walk(kWalkingLeft); break;
        case Routine::WalkUp: walk(kWalkingUp); break;
        case Routine::WalkDown: walk(kWalkingDown); break;
        case Routine::StandRight: stand(kStandingRight); break;
        case Routine::StandLeft: stand(kStandingLeft); break;
        case Routine::StandDown: stand(kStandingDown); break;
        case Routine::StandUp: stand(kStandingUp); break;
        case Routine::FollowBehaviour: followBehaviourRoutine(); break;
        case Routine::OnClick: onClick(); break;
        case Routine::WaitTalk: waitTalk(); break;
    }
}

void MouseSteeredActor::become(Routine routine, uint32_t animation) {
    routine_ = routine;
    setAnimation(animation);
}

bool MouseSteeredActor::held(Query query) { return controller_ != nullptr && (controller_->*query)() != 0; }

// A walk routine's last row decides alone: the step, or standing still,
// whatever the earlier rows stored (their routine still takes over at the
// next scheduled update when the step is made).
void MouseSteeredActor::walk(const Walk& direction) {
    if (const Row* row = lastHeldRow(controller_, direction.rows, direction.rowsEnd))
        become(row->routine, row->animation);
    if (held(direction.keepsWalking) && stepAllowed(*this, direction.step, speed_)) {
        moveBy(x, direction.signX, speed_);
        moveBy(y, direction.signY, speed_);
        return;
    }
    become(direction.stops, direction.stopAnimation);
}

// The patrol row closes every stand routine.
void MouseSteeredActor::stand(const Stand& direction) {
    if (const Row* row = lastHeldRow(controller_, direction.rows, direction.rowsEnd))
        become(row->routine, row->animation);
    if (!held(&Controller::fire2)) return;
    behaviour_ = std::make_unique<Path>(kPatrolPathFile);
    become(Routine::FollowBehaviour, direction.patrolAnimation);
}

void MouseSteeredActor::followBehaviourRoutine() {
    if (const Row* row = lastHeldRow(controller_, kFollowRows)) become(row->routine, row->animation);
    if (!behaviour_) {
        become(Routine::StandDown, kStandDown);
        return;
    }
    if (!followBehaviour(*this, *behaviour_)) {
        behaviour_.reset();
        become(Routine::StandDown, kStandDown);
        return;
    }
    // Each step query that saw movement overrides the previous choice.
    if (behaviour_->stepDown() != 0) setAnimation(kWalkDown);
    if (behaviour_->stepUp() != 0) setAnimation(kWalkUp);
    if (behaviour_->stepRight() != 0) setAnimation(kWalkRight);
    if (behaviour_->stepLeft() != 0) setAnimation(kWalkLeft);
}

// Every talker under the press opens its conversation, the last one in the
// shared list staying the partner; a press on no talker sends the actor
// along the route found to the pointer.
void MouseSteeredActor::onClick() {
    talkPartner_ = nullptr;
    Scene* scene = currentScene();
    const auto* mouse = dynamic_cast<const MouseController*>(controller_);
    if (scene == nullptr || mouse == nullptr) {
        become(Routine::FollowBehaviour, kStandDown);
        return;
    }
    const int32_t count = scene->sharedCount();
    for (int32_t i = 0; i < count; ++i) {
        Actor* actor = scene->sharedActor(i);
        if (!actor->isTalker() || !mouse->pressHits(*actor)) continue;
        auto* talker = static_cast<Talker*>(actor);
        talkPartner_ = talker;
        talker->openConversation();
        become(Routine::WaitTalk, kStandDown);
    }
    if (talkPartner_ != nullptr) return;

    const Map* map = scene->map();
    if (map != nullptr && map->tileWidth() != 0 && map->tileHeight() != 0) {
        behaviour_ = std::make_unique<PathFinderBehaviour>(
            cellOf(static_cast<int32_t>(x), map->tileWidth()), cellOf(static_cast<int32_t>(y), map->tileHeight()),
            cellOf(mouse->pointerWorldX(), map->tileWidth()), cellOf(mouse->pointerWorldY(), map->tileHeight()),
            *map);
        std::fputs(kPathSearchNotice, stdout);
    }
    become(Routine::FollowBehaviour, kStandDown);
}

// A partner without a box never talks, so there is nothing to wait for.
void MouseSteeredActor::waitTalk() {
    const DialogueBox* box = talkPartner_ ? talkPartner_->dialogueBox() : nullptr;
    if (box == nullptr || box->finished()) {
        talkPartner_ = nullptr;
        become(Routine::StandRight, kStandDown);
    }
}

}  // namespace ocre
