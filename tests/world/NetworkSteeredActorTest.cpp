#include "world/NetworkSteeredActor.h"

#include "tests/world/WorldTestSupport.h"

namespace ocre {
namespace {

using Routine = NetworkSteeredActor::Routine;
constexpr Routine ST = Routine::Stand, WR = Routine::WalkRight, WL = Routine::WalkLeft, WU = Routine::WalkUp,
                  WD = Routine::WalkDown;

class NetworkSteeredActorTest : public test::WorldTest {
protected:
    // One scheduled run of the routine from the given state and commands.
    void runFrom(Routine routine, const char* held) {
        actor_.setRoutine(routine);
        commands_.holdOnly(held);
        actor_.update();
    }

    DatStructure frames_ = test::makeFrames(8, 16, 16);
    test::ScriptedController commands_;
    NetworkSteeredActor actor_{0, frames_, 100, 100, 3, &commands_};
};

// Standing, the last held direction starts a walk. In a walk, its own
// direction steps 30 pixels whatever else is held (a stand stored by an
// earlier row takes over at the next run); released, it stands facing that
// way. Stands start from animation 4, walks from 0: neither is chosen there.
TEST_F(NetworkSteeredActorTest, EveryRowOfEveryRoutine) {
    struct Case { Routine from; const char* held; Routine to; uint32_t animation; int32_t dx = 0, dy = 0; };
    const Case cases[] = {
        {ST, "", ST, 4},        {ST, "R", WR, 2},       {ST, "L", WL, 1},       {ST, "U", WU, 3},
        {ST, "D", WD, 0},       {ST, "RL", WL, 1},      {ST, "DULR", WD, 0},
        {WR, "R", WR, 0, 30},   {WR, "RL", ST, 5, 30},  {WR, "RU", ST, 7, 30},  {WR, "RD", ST, 4, 30},
        {WR, "U", ST, 6},       {WL, "L", WL, 0, -30},  {WL, "LR", ST, 6, -30}, {WL, "LU", ST, 7, -30},
        {WL, "LD", ST, 4, -30}, {WL, "D", ST, 5},       {WU, "U", WU, 0, 0, -30},
        {WU, "UL", ST, 5, 0, -30},  {WU, "UR", ST, 6, 0, -30},  {WU, "UD", ST, 4, 0, -30},  {WU, "L", ST, 7},
        {WD, "D", WD, 0, 0, 30},    {WD, "DL", ST, 5, 0, 30},   {WD, "DR", ST, 6, 0, 30},
        {WD, "DU", ST, 7, 0, 30},   {WD, "R", ST, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << static_cast<int>(c.from) << " holding " << c.held);
        actor_.x = actor_.y = 100;
        actor_.setAnimation(c.from == ST ? 4 : 0);
        runFrom(c.from, c.held);
        EXPECT_EQ(std::make_pair(actor_.routine(), actor_.animationIndex()), std::make_pair(c.to, c.animation));
        EXPECT_EQ(std::make_pair(actor_.x, actor_.y), std::make_pair(100u + c.dx, 100u + c.dy));
    }
}

TEST_F(NetworkSteeredActorTest, PositionsWrapBelowZeroWithoutAnyBound) {
    actor_.x = 20, actor_.y = 10;
    runFrom(WL, "L");
    EXPECT_EQ(actor_.x, 4294967286u);
    runFrom(WU, "U");
    EXPECT_EQ(actor_.y, 4294967276u);
    runFrom(WR, "R");
    EXPECT_EQ(actor_.x, 20u);
}

}  // namespace
}  // namespace ocre
