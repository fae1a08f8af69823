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

// Each walk: its own direction steps 30 pixels whatever else is held (the
// stored stand takes over at the next run); released, it stands.
TEST_F(NetworkSteeredActorTest, WalkingStepsThirtyPixelsOrStands) {
    struct Case {
        Routine walk;
        Command own;
        int32_t dx, dy;
        uint32_t standAnimation;
        Command other;
        uint32_t otherAnimation;
    };
    const Case cases[] = {
        {Routine::WalkRight, Command::Right, 30, 0, kStandRight, Command::Up, kStandUp},
        {Routine::WalkLeft, Command::Left, -30, 0, kStandLeft, Command::Down, kStandDown},
        {Routine::WalkUp, Command::Up, 0, -30, kStandUp, Command::Left, kStandLeft},
        {Routine::WalkDown, Command::Down, 0, 30, kStandDown, Command::Right, kStandRight},
    };
    for (const Case& c : cases) {
        actor_->x = 100;
        actor_->y = 100;
        actor_->setAnimation(kWalkDown);
        runFrom(c.walk, {c.own});
        EXPECT_EQ(actor_->routine(), c.walk);
        EXPECT_EQ(actor_->animationIndex(), kWalkDown) << "the walk keeps its animation";
        EXPECT_EQ(actor_->x, static_cast<uint32_t>(100 + c.dx));
        EXPECT_EQ(actor_->y, static_cast<uint32_t>(100 + c.dy));

        runFrom(c.walk, {c.own, c.other});
        EXPECT_EQ(actor_->routine(), Routine::Stand);
        EXPECT_EQ(actor_->animationIndex(), c.otherAnimation);
        EXPECT_EQ(actor_->x, static_cast<uint32_t>(100 + 2 * c.dx)) << "it still stepped";
        EXPECT_EQ(actor_->y, static_cast<uint32_t>(100 + 2 * c.dy));

        runFrom(c.walk, {c.other});
        EXPECT_EQ(actor_->routine(), Routine::Stand);
        EXPECT_EQ(actor_->animationIndex(), c.standAnimation) << "released: the last row wins";
        EXPECT_EQ(actor_->x, static_cast<uint32_t>(100 + 2 * c.dx));
    }
}

TEST_F(NetworkSteeredActorTest, TheCrossRowsOfEachWalk) {
    struct Case {
        Routine walk;
        Command own;
        Command held;
        uint32_t animation;
    };
    const Case cases[] = {
        {Routine::WalkRight, Command::Right, Command::Left, kStandLeft},
        {Routine::WalkRight, Command::Right, Command::Down, kStandDown},
        {Routine::WalkLeft, Command::Left, Command::Right, kStandRight},
        {Routine::WalkLeft, Command::Left, Command::Up, kStandUp},
        {Routine::WalkUp, Command::Up, Command::Right, kStandRight},
        {Routine::WalkUp, Command::Up, Command::Down, kStandDown},
        {Routine::WalkDown, Command::Down, Command::Left, kStandLeft},
        {Routine::WalkDown, Command::Down, Command::Up, kStandUp},
    };
    for (const Case& c : cases) {
        runFrom(c.walk, {c.own, c.held});
        EXPECT_EQ(actor_->routine(), Routine::Stand);
        EXPECT_EQ(actor_->animationIndex(), c.animation) << static_cast<int>(c.walk);
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
