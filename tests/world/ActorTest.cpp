#include "world/Actor.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/world/WorldTestSupport.h"

namespace ocre {
namespace {

class CountingActor : public Actor {
public:
    using Actor::Actor;
    std::vector<int> runsAt;  // update numbers on which the routine ran
    int updates = 0;
    void update() override {
        ++updates;
        Actor::update();
    }

protected:
    void runStateRoutine() override { runsAt.push_back(updates); }
};

using ActorTest = test::WorldTest;

TEST_F(ActorTest, PeriodOneRunsTheRoutineOnEveryOtherUpdateStartingWithTheFirst) {
    const DatStructure frames = test::makeFrames(1, 8, 8);
    CountingActor actor(1, frames, 0, 0, 0);
    for (int i = 0; i < 6; ++i) actor.update();
    EXPECT_EQ(actor.runsAt, (std::vector<int>{1, 3, 5}));
}

TEST_F(ActorTest, PeriodZeroRunsTheRoutineOnEveryUpdate) {
    const DatStructure frames = test::makeFrames(1, 8, 8);
    CountingActor actor(0, frames, 0, 0, 0);
    for (int i = 0; i < 4; ++i) actor.update();
    EXPECT_EQ(actor.runsAt, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(ActorTest, AHiddenActorDrawsNothingButKeepsUpdating) {
    makeScene();
    DatStructure frames = test::makeFrames(1, 8, 8);
    frames.records[0].frames.push_back(nullptr);
    CountingActor actor(0, frames, 10, 20, 0);
    actor.draw(0, 0, 0, 0, 320, 240);
    ASSERT_EQ(display_.surfaces.size(), 1u);
    actor.hide();
    actor.draw(0, 0, 0, 0, 320, 240);
    actor.update();
    EXPECT_EQ(display_.surfaces.size(), 1u);
    EXPECT_EQ(actor.runsAt, (std::vector<int>{1}));
    actor.show();
    actor.draw(5, 5, 100, 200, 320, 240);
    ASSERT_EQ(display_.surfaces.size(), 2u);
    EXPECT_EQ(display_.surfaces[1].x, 10 - 5 + 100);
    EXPECT_EQ(display_.surfaces[1].y, 20 - 5 + 200);
}

TEST_F(ActorTest, AnAnimationShowsEachFrameDelayPlusOneDrawsExceptTheFirstAtTheStart) {
    makeScene();
    DatStructure frames = test::makeFrames(1, 8, 8);
    frames.records[0].frameCount = 3;
    frames.records[0].frameDelay = 2;
    CountingActor actor(1, frames, 0, 0, 0);
    std::vector<uint32_t> shown;
    for (int i = 0; i < 12; ++i) {
        actor.draw(0, 0, 0, 0, 320, 240);
        shown.push_back(actor.currentAnimation()->frameIndex);
    }
    EXPECT_EQ(shown, (std::vector<uint32_t>{0, 0, 1, 1, 1, 2, 2, 2, 0, 0, 0, 1}));
}

TEST_F(ActorTest, HitTestIncludesTheBoxEdges) {
    DatStructure frames = test::makeFrames(1, 8, 8);
    *frames.records[0].boxes[0] = BoundingBox{2, 3, 10, 12};
    CountingActor actor(1, frames, 100, 200, 0);
    EXPECT_TRUE(actor.hitTest(102, 203));
    EXPECT_TRUE(actor.hitTest(110, 212));
    EXPECT_FALSE(actor.hitTest(101, 205));
    EXPECT_FALSE(actor.hitTest(111, 205));
    EXPECT_FALSE(actor.hitTest(105, 202));
    EXPECT_FALSE(actor.hitTest(105, 213));
}

TEST_F(ActorTest, AFrameWithoutABoxIsNeverHit) {
    DatStructure frames = test::makeFrames(1, 8, 8);
    frames.records[0].frameCount = 2;
    frames.records[0].boxes.clear();
    CountingActor actor(1, frames, 0, 0, 0);
    EXPECT_FALSE(actor.hitTest(0, 0));
}

TEST_F(ActorTest, TheAnimationIndexIsThePositionInTheFrameList) {
    const DatStructure frames = test::makeFrames(8, 8, 8);
    CountingActor actor(1, frames, 0, 0, 0);
    EXPECT_EQ(actor.animationIndex(), 0u);
    actor.setAnimation(6);
    EXPECT_EQ(actor.animationIndex(), 6u);
    EXPECT_EQ(actor.currentAnimation()->frameSet, &frames.records[6]);
    actor.setAnimation(8);
    EXPECT_EQ(actor.animationIndex(), 6u);
}

}  // namespace
}  // namespace ocre
