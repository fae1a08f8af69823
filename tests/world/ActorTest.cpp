#include "world/Actor.h"

#include "tests/world/WorldTestSupport.h"

namespace ocre {
namespace {

using ActorTest = test::WorldTest;

TEST_F(ActorTest, AnAnimationShowsEachFrameDelayPlusOneDrawsExceptTheFirstAtTheStart) {
    makeScene();
    DatStructure frames = test::makeFrames(1, 8, 8);
    frames.records[0].frameCount = 3, frames.records[0].frameDelay = 2;
    frames.records[0].frames.resize(3);
    Actor actor(1, frames, 10, 20, 0);
    std::vector<uint32_t> shown;
    for (int i = 0; i < 12; ++i) {
        actor.draw(5, 5, 100, 200, 320, 240);
        shown.push_back(actor.currentAnimation()->frameIndex);
    }
    EXPECT_EQ(shown, (std::vector<uint32_t>{0, 0, 1, 1, 1, 2, 2, 2, 0, 0, 0, 1}));
    ASSERT_EQ(display_.surfaces.size(), 12u);
    EXPECT_EQ(display_.surfaces[0].at(), std::make_pair(10 - 5 + 100, 20 - 5 + 200));
    actor.hide();
    actor.draw(5, 5, 100, 200, 320, 240);
    EXPECT_EQ(display_.surfaces.size(), 12u) << "hidden";
}

TEST_F(ActorTest, HitTestIncludesTheBoxEdgesOfTheCurrentAnimation) {
    DatStructure frames = test::makeFrames(2, 8, 8);
    *frames.records[0].boxes[0] = BoundingBox{2, 3, 10, 12};
    frames.records[1].boxes.clear();
    Actor actor(1, frames, 100, 200, 0);
    EXPECT_TRUE(actor.hitTest(102, 203) && actor.hitTest(110, 212));
    for (const auto& [px, py] : {std::pair{101u, 205u}, {111u, 205u}, {105u, 202u}, {105u, 213u}})
        EXPECT_FALSE(actor.hitTest(px, py)) << px << "," << py;
    actor.setAnimation(1);
    EXPECT_EQ(actor.currentAnimation()->frameSet, &frames.records[1]);
    EXPECT_EQ(actor.animationIndex(), 1u) << "the index is the position in the frame list";
    EXPECT_FALSE(actor.hitTest(102, 203)) << "a frame without a box is never hit";
}

}  // namespace
}  // namespace ocre
