#include "world/BehaviourWalker.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "data/Path.h"
#include "tests/world/WorldTestSupport.h"
#include "world/AnimationIndex.h"
#include "world/JumpBehaviour.h"

namespace ocre {
namespace {

std::unique_ptr<JumpBehaviour> systemJump() {
    return std::make_unique<JumpBehaviour>(30, 100, 0, 15.0f, -15.0f, 0.0f, 9.0f, 0.1f);
}

TEST(JumpBehaviour, TheArcStartsAtItsOriginThenRisesAndDrifts) {
    auto jump = systemJump();
    EXPECT_EQ(jump->currentX, 30);
    EXPECT_EQ(jump->currentY, 100);
    EXPECT_TRUE(jump->advance());
    EXPECT_EQ(jump->currentX, 30);
    EXPECT_EQ(jump->currentY, 100);
    EXPECT_TRUE(jump->advance());
    EXPECT_EQ(jump->previousX, 30);
    EXPECT_EQ(jump->previousY, 100);
    EXPECT_EQ(jump->currentX, 31);
    EXPECT_EQ(jump->currentY, 98);
    EXPECT_TRUE(jump->advance());
    EXPECT_EQ(jump->currentX, 33);
    EXPECT_EQ(jump->currentY, 97);
    for (int t = 3; t <= 10; ++t) EXPECT_TRUE(jump->advance());
    // 30 + 1.5 t and 100 - 1.5 t + 0.045 t^2 at t = 10.
    EXPECT_EQ(jump->currentX, 45);
    EXPECT_EQ(jump->currentY, 89);
    EXPECT_EQ(jump->currentZ, 0);
    EXPECT_EQ(jump->stepNumber(), 11);
}

TEST(JumpBehaviour, CoordinatesAreTruncatedTowardZero) {
    JumpBehaviour jump(0, 0, 0, -1.5f, 1.5f, -25.0f, 0.0f, 0.1f);
    jump.advance();
    jump.advance();
    EXPECT_EQ(jump.currentX, 0) << "-0.15";
    EXPECT_EQ(jump.currentY, 0) << "0.15";
    EXPECT_EQ(jump.currentZ, -2) << "-2.5";
}

class BehaviourWalkerTest : public test::WorldTest {
protected:
    // A walker of 16 x 16 frames that runs its routine on every update.
    std::unique_ptr<BehaviourWalker> walker(std::unique_ptr<Behaviour> behaviour, uint32_t x = 0, uint32_t y = 0) {
        auto actor = std::make_unique<BehaviourWalker>(0, frames_, x, y, 0, &keys_, std::move(behaviour));
        actor->setAnimation(kWalkRight);
        return actor;
    }

    DatStructure frames_ = test::makeFrames(8, 16, 16);
    test::ScriptedController keys_;
};

TEST_F(BehaviourWalkerTest, TheMainDirectionOfEachStepChoosesTheAnimation) {
    makeScene();
    auto actor = walker(std::make_unique<Path>(std::vector<int32_t>{10, 20, 20, 15, 15, 15, 25},
                                               std::vector<int32_t>{10, 10, 30, 30, 20, 20, 25}));
    std::vector<uint32_t> animations;
    for (int i = 0; i < 7; ++i) {
        actor->update();
        animations.push_back(actor->animationIndex());
    }
    // A diagonal step counts as down, and so does a step of no length.
    EXPECT_EQ(animations, (std::vector<uint32_t>{kWalkDown, kWalkRight, kWalkDown, kWalkLeft, kWalkUp, kWalkDown,
                                                 kWalkRight}));
    EXPECT_EQ(actor->x, 25u);
    EXPECT_EQ(actor->y, 25u);
    EXPECT_EQ(actor->routine(), BehaviourWalker::Routine::FollowToEnd);
    EXPECT_TRUE(keys_.asked().empty()) << "its controller steers nothing";
}

TEST_F(BehaviourWalkerTest, AtTheEndOfItsPathItStandsFacingLeftForGood) {
    makeScene();
    auto actor = walker(std::make_unique<Path>(std::vector<int32_t>{40}, std::vector<int32_t>{50}));
    actor->update();
    actor->update();
    EXPECT_EQ(actor->animationIndex(), kStandLeft);
    EXPECT_EQ(actor->routine(), BehaviourWalker::Routine::Idle);
    EXPECT_NE(actor->behaviour(), nullptr) << "the behaviour stays attached";
    actor->setAnimation(kWalkUp);
    actor->update();
    EXPECT_EQ(actor->animationIndex(), kWalkUp) << "nothing runs any more";
    EXPECT_EQ(actor->x, 40u);
    EXPECT_EQ(actor->y, 50u);
}

// The map is 640 x 480 and frames are 16 x 16: x may reach 624, y 464.
TEST_F(BehaviourWalkerTest, PointsAreAcceptedUpToTheMapEdgesMinusTheFrame) {
    makeScene();
    struct Case {
        int32_t x, y;
        bool accepted;
    };
    const Case cases[] = {{0, 0, true},      {624, 464, true}, {625, 100, false},
                          {100, 465, false}, {-1, 100, false}, {100, -1, false}};
    for (const Case& c : cases) {
        auto actor = walker(std::make_unique<Path>(std::vector<int32_t>{c.x}, std::vector<int32_t>{c.y}), 7, 9);
        actor->update();
        EXPECT_EQ(actor->routine() == BehaviourWalker::Routine::FollowToEnd, c.accepted) << c.x << "," << c.y;
        EXPECT_EQ(actor->x, c.accepted ? static_cast<uint32_t>(c.x) : 7u) << c.x << "," << c.y;
        EXPECT_EQ(actor->y, c.accepted ? static_cast<uint32_t>(c.y) : 9u) << c.x << "," << c.y;
    }
}

TEST_F(BehaviourWalkerTest, WithoutACurrentSceneNothingIsAccepted) {
    auto actor = walker(std::make_unique<Path>(std::vector<int32_t>{1}, std::vector<int32_t>{1}));
    actor->update();
    EXPECT_EQ(actor->routine(), BehaviourWalker::Routine::Idle);
}

TEST_F(BehaviourWalkerTest, TheJumpRisesThenStopsWhereItWouldLeaveTheMap) {
    makeScene(6, 15);  // 192 pixels wide: x may reach 176
    auto actor = walker(systemJump(), 30, 100);
    actor->update();
    actor->update();
    EXPECT_EQ(actor->x, 31u);
    EXPECT_EQ(actor->y, 98u);
    EXPECT_EQ(actor->animationIndex(), kWalkUp);
    int runs = 2;
    while (actor->routine() == BehaviourWalker::Routine::FollowToEnd && runs < 1000) {
        actor->update();
        ++runs;
    }
    // Steps 0 to 97 fit; step 98 reaches x = 177.
    EXPECT_EQ(runs, 99);
    EXPECT_EQ(actor->x, 175u);
    EXPECT_EQ(actor->animationIndex(), kStandLeft);
    const uint32_t stoppedY = actor->y;
    actor->update();
    EXPECT_EQ(actor->x, 175u);
    EXPECT_EQ(actor->y, stoppedY);
}

}  // namespace
}  // namespace ocre
