#include "world/NetworkSteeredActor.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "tests/world/WorldTestSupport.h"
#include "world/AnimationIndex.h"

namespace ocre {
namespace {

using Routine = NetworkSteeredActor::Routine;

class NetworkSteeredActorTest : public test::WorldTest {
protected:
    void SetUp() override {
        test::WorldTest::SetUp();
        actor_ = std::make_unique<NetworkSteeredActor>(0, frames_, 100, 100, 3, &commands_);
        actor_->setAnimation(kStandDown);
    }
    // One scheduled run of the routine from the given state and commands.
    void runFrom(Routine routine, std::initializer_list<Command> held) {
        actor_->setRoutine(routine);
        commands_.releaseAll();
        for (Command command : held) commands_.hold(command);
        actor_->update();
    }

    DatStructure frames_ = test::makeFrames(8, 16, 16);
    test::ScriptedController commands_;
    std::unique_ptr<NetworkSteeredActor> actor_;
};

TEST_F(NetworkSteeredActorTest, StandingTheLastHeldDirectionStartsAWalk) {
    struct Case {
        std::initializer_list<Command> held;
        Routine routine;
        uint32_t animation;
    };
    const Case cases[] = {
        {{}, Routine::Stand, kStandDown},
        {{Command::Right}, Routine::WalkRight, kWalkRight},
        {{Command::Left}, Routine::WalkLeft, kWalkLeft},
        {{Command::Up}, Routine::WalkUp, kWalkUp},
        {{Command::Down}, Routine::WalkDown, kWalkDown},
        {{Command::Right, Command::Left}, Routine::WalkLeft, kWalkLeft},
        {{Command::Down, Command::Up, Command::Left, Command::Right}, Routine::WalkDown, kWalkDown},
    };
    for (const Case& c : cases) {
        actor_->setAnimation(kStandDown);
        runFrom(Routine::Stand, c.held);
        EXPECT_EQ(actor_->routine(), c.routine) << c.held.size();
        EXPECT_EQ(actor_->animationIndex(), c.animation) << c.held.size();
        EXPECT_EQ(actor_->x, 100u);
        EXPECT_EQ(actor_->y, 100u);
    }
}

// In a walk, its own direction steps 30 pixels whatever else is held (a
// stand stored by an earlier row takes over at the next run); released, it
// stands facing that way.
TEST_F(NetworkSteeredActorTest, EveryRowOfTheWalks) {
    constexpr Command U = Command::Up, D = Command::Down, L = Command::Left, R = Command::Right;
    struct Case {
        Routine walk;
        std::initializer_list<Command> held;
        Routine to;
        uint32_t animation;
        int32_t dx, dy;
    };
    const Case cases[] = {
        {Routine::WalkRight, {R}, Routine::WalkRight, kWalkDown, 30, 0},
        {Routine::WalkRight, {R, L}, Routine::Stand, kStandLeft, 30, 0},
        {Routine::WalkRight, {R, U}, Routine::Stand, kStandUp, 30, 0},
        {Routine::WalkRight, {R, D}, Routine::Stand, kStandDown, 30, 0},
        {Routine::WalkRight, {U}, Routine::Stand, kStandRight, 0, 0},
        {Routine::WalkLeft, {L}, Routine::WalkLeft, kWalkDown, -30, 0},
        {Routine::WalkLeft, {L, R}, Routine::Stand, kStandRight, -30, 0},
        {Routine::WalkLeft, {L, U}, Routine::Stand, kStandUp, -30, 0},
        {Routine::WalkLeft, {L, D}, Routine::Stand, kStandDown, -30, 0},
        {Routine::WalkLeft, {D}, Routine::Stand, kStandLeft, 0, 0},
        {Routine::WalkUp, {U}, Routine::WalkUp, kWalkDown, 0, -30},
        {Routine::WalkUp, {U, L}, Routine::Stand, kStandLeft, 0, -30},
        {Routine::WalkUp, {U, R}, Routine::Stand, kStandRight, 0, -30},
        {Routine::WalkUp, {U, D}, Routine::Stand, kStandDown, 0, -30},
        {Routine::WalkUp, {L}, Routine::Stand, kStandUp, 0, 0},
        {Routine::WalkDown, {D}, Routine::WalkDown, kWalkDown, 0, 30},
        {Routine::WalkDown, {D, L}, Routine::Stand, kStandLeft, 0, 30},
        {Routine::WalkDown, {D, R}, Routine::Stand, kStandRight, 0, 30},
        {Routine::WalkDown, {D, U}, Routine::Stand, kStandUp, 0, 30},
        {Routine::WalkDown, {R}, Routine::Stand, kStandDown, 0, 0},
    };
    int index = 0;
    for (const Case& c : cases) {
        actor_->x = 100;
        actor_->y = 100;
        actor_->setAnimation(kWalkDown);
        runFrom(c.walk, c.held);
        EXPECT_EQ(actor_->routine(), c.to) << "case " << index;
        EXPECT_EQ(actor_->animationIndex(), c.animation) << "case " << index;
        EXPECT_EQ(actor_->x, static_cast<uint32_t>(100 + c.dx)) << "case " << index;
        EXPECT_EQ(actor_->y, static_cast<uint32_t>(100 + c.dy)) << "case " << index;
        ++index;
    }
}

TEST_F(NetworkSteeredActorTest, PositionsWrapBelowZeroWithoutAnyBound) {
    actor_->x = 20;
    actor_->y = 10;
    runFrom(Routine::WalkLeft, {Command::Left});
    EXPECT_EQ(actor_->x, 4294967286u);
    runFrom(Routine::WalkUp, {Command::Up});
    EXPECT_EQ(actor_->y, 4294967276u);
    runFrom(Routine::WalkRight, {Command::Right});
    EXPECT_EQ(actor_->x, 20u);
}

TEST_F(NetworkSteeredActorTest, AStoredRoutineWaitsForTheNextScheduledUpdate) {
    NetworkSteeredActor actor(1, frames_, 100, 100, 3, &commands_);
    commands_.hold(Command::Right);
    actor.update();
    EXPECT_EQ(actor.routine(), Routine::WalkRight);
    EXPECT_EQ(actor.x, 100u);
    actor.update();
    EXPECT_EQ(actor.x, 100u) << "period 1: no run on the second update";
    actor.update();
    EXPECT_EQ(actor.x, 130u);
}

}  // namespace
}  // namespace ocre
