#include "world/PointerActor.h"

#include "tests/world/WorldTestSupport.h"

namespace ocre {
namespace {

using PointerActorTest = test::WorldTest;

TEST_F(PointerActorTest, SitsAtThePointerSeenThroughTheCameraShowingTheFirstDirectionThatHolds) {
    const DatStructure frames = test::makeFrames(4, 8, 8);
    test::ScriptedController mouse;
    test::FixedView view(100, 50);
    PointerActor pointer(0, frames, 160, 100, 10, &mouse, &view);
    struct Case { int32_t pointerX; const char* held; uint32_t animation; };
    for (const Case& c : {Case{7, "D", kWalkDown}, {0, "", kWalkUp}, {2, "RD", kWalkRight}, {1, "U", kWalkUp},
                          {3, "LRD", kWalkLeft}}) {
        SCOPED_TRACE(c.held);
        pinPointerForTesting(c.pointerX, 9);
        mouse.holdOnly(c.held);
        pointer.update();
        EXPECT_EQ(test::at(pointer), std::make_pair(static_cast<uint32_t>(100 + c.pointerX), 59u));
        EXPECT_EQ(pointer.animationIndex(), c.animation);
    }
}

}  // namespace
}  // namespace ocre
