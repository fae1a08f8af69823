#include "world/BehaviourWalker.h"

#include "data/Path.h"
#include "tests/world/WorldTestSupport.h"
#include "world/JumpBehaviour.h"

namespace ocre {
namespace {

class BehaviourWalkerTest : public test::WorldTest {
protected:
    // A walker of 16 x 16 frames that runs its routine on every update.
    std::unique_ptr<BehaviourWalker> walker(std::unique_ptr<Behaviour> behaviour, uint32_t x = 0, uint32_t y = 0) {
        auto actor = std::make_unique<BehaviourWalker>(0, frames_, x, y, 0, &keys_, std::move(behaviour));
        actor->setAnimation(kWalkRight);
        return actor;
    }
    static std::unique_ptr<Path> path(std::vector<int32_t> xs, std::vector<int32_t> ys) {
        return std::make_unique<Path>(std::move(xs), std::move(ys));
    }

    DatStructure frames_ = test::makeFrames(8, 16, 16);
    test::ScriptedController keys_;
};

TEST_F(BehaviourWalkerTest, EachStepsMainDirectionChoosesTheAnimationThenItStandsFacingLeftForGood) {
    makeScene();
    auto actor = walker(path({10, 20, 20, 15, 15, 15, 25}, {10, 10, 30, 30, 20, 20, 25}));
    std::vector<uint32_t> animations;
    for (int i = 0; i < 8; ++i) {
        actor->update();
        animations.push_back(actor->animationIndex());
    }
    // A diagonal step counts as down, and so does a step of no length.
    EXPECT_EQ(animations, (std::vector<uint32_t>{kWalkDown, kWalkRight, kWalkDown, kWalkLeft, kWalkUp, kWalkDown,
                                                 kWalkRight, kStandLeft}));
    EXPECT_EQ(test::at(*actor), std::make_pair(25u, 25u));
    EXPECT_EQ(actor->routine(), BehaviourWalker::Routine::Idle);
    EXPECT_NE(actor->behaviour(), nullptr) << "the behaviour stays attached";
    actor->setAnimation(kWalkUp);
    actor->update();
    EXPECT_EQ(actor->animationIndex(), kWalkUp) << "nothing runs any more";
}

// The map is 640 x 480 and frames are 16 x 16: x may reach 624, y 464.
TEST_F(BehaviourWalkerTest, PointsAreAcceptedUpToTheMapEdgesMinusTheFrame) {
    makeScene();
    struct Case { int32_t x, y; bool accepted; };
    for (const Case& c : {Case{0, 0, true}, {624, 464, true}, {625, 100, false}, {100, 465, false},
                          {-1, 100, false}, {100, -1, false}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        auto actor = walker(path({c.x}, {c.y}), 7, 9);
        actor->update();
        EXPECT_EQ(actor->routine() == BehaviourWalker::Routine::FollowToEnd, c.accepted);
        const auto expected = c.accepted ? std::pair(static_cast<uint32_t>(c.x), static_cast<uint32_t>(c.y)) : std::pair(7u, 9u);
        EXPECT_EQ(test::at(*actor), expected);
    }
}

TEST_F(BehaviourWalkerTest, TheJumpRisesAlongItsArcThenStopsWhereItWouldLeaveTheMap) {
    makeScene(6, 15);  // 192 pixels wide: x may reach 176
    auto actor = walker(std::make_unique<JumpBehaviour>(30, 100, 0, 15.0f, -15.0f, 0.0f, 9.0f, 0.1f));
    actor->update();
    EXPECT_EQ(test::at(*actor), std::make_pair(30u, 100u)) << "the first point is the origin";
    actor->update();
    EXPECT_EQ(test::at(*actor), std::make_pair(31u, 98u));
    EXPECT_EQ(actor->animationIndex(), kWalkUp);
    int runs = 2;
    for (; actor->routine() == BehaviourWalker::Routine::FollowToEnd && runs < 1000; ++runs) actor->update();
    // x = 30 + 1.5 t, y = 100 - 1.5 t + 0.045 t^2, truncated: steps 0 to 97
    // fit, step 98 reaches x = 177.
    EXPECT_EQ(runs, 99);
    EXPECT_EQ(test::at(*actor), std::make_pair(175u, 377u));
    EXPECT_EQ(actor->animationIndex(), kStandLeft);
}

}  // namespace
}  // namespace ocre
