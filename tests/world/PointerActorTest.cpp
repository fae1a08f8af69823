#include "world/PointerActor.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "tests/world/WorldTestSupport.h"
#include "world/AnimationIndex.h"
#include "world/Pointer.h"

namespace ocre {
namespace {

using PointerActorTest = test::WorldTest;

TEST_F(PointerActorTest, SitsAtThePointerSeenThroughTheCamera) {
    const DatStructure frames = test::makeFrames(4, 8, 8);
    test::ScriptedController mouse;
    test::FixedView view(100, 50);
    PointerActor pointer(0, frames, 160, 100, 10, &mouse, &view);
    pinPointerForTesting(7, 9);
    pointer.update();
    EXPECT_EQ(pointer.x, 107u);
    EXPECT_EQ(pointer.y, 59u);
    pinPointerForTesting(0, 0);
    pointer.update();
    EXPECT_EQ(pointer.x, 100u);
    EXPECT_EQ(pointer.y, 50u);
}

TEST_F(PointerActorTest, TheArrowShowsTheFirstDirectionThatHoldsElseUp) {
    const DatStructure frames = test::makeFrames(4, 8, 8);
    test::ScriptedController mouse;
    test::FixedView view(0, 0);
    PointerActor pointer(0, frames, 160, 100, 10, &mouse, &view);
    struct Case {
        std::initializer_list<Command> held;
        uint32_t animation;
    };
    const Case cases[] = {
        {{}, kWalkUp},
        {{Command::Up}, kWalkUp},
        {{Command::Down}, kWalkDown},
        {{Command::Right, Command::Down}, kWalkRight},
        {{Command::Left, Command::Right, Command::Down}, kWalkLeft},
    };
    for (const Case& c : cases) {
        mouse.releaseAll();
        for (Command command : c.held) mouse.hold(command);
        pointer.update();
        EXPECT_EQ(pointer.animationIndex(), c.animation) << c.held.size();
    }
}

}  // namespace
}  // namespace ocre
