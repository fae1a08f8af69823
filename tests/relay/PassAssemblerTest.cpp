#include "relay/PassAssembler.h"

#include <gtest/gtest.h>

namespace ocre::relay {
namespace {

TEST(PassAssembler, FirstPassEndsAtTheNextCameraLaterOnesAtTheirLastActor) {
    PassAssembler passes;
    EXPECT_FALSE(passes.onActor(0, 1, 1, 1));  // before any camera: ignored
    EXPECT_FALSE(passes.onCamera(10, 20));
    EXPECT_FALSE(passes.onActor(0, 5, 6, 7));
    EXPECT_FALSE(passes.onActor(1, 8, 9, 2));
    const auto first = passes.onCamera(11, 21);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->cameraX, 10);
    EXPECT_EQ(first->actors, (std::vector<LiveActor>{{0, 5, 6, 7}, {1, 8, 9, 2}}));
    EXPECT_FALSE(passes.onActor(0, 5, 7, 7));
    const auto second = passes.onActor(1, 8, 10, 2);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->cameraY, 21);
    EXPECT_EQ(second->actors[1].y, 10);
    EXPECT_FALSE(passes.onCamera(12, 22));  // already handed out
}

TEST(PassAssembler, LostActorKeepsItsPreviousValuesAndValuesStayBitForBit) {
    PassAssembler passes;
    passes.onCamera(0, 0);
    passes.onActor(0, 1, 2, 3);
    passes.onActor(1, 4, 5, 6);
    passes.onCamera(0, 0);
    const auto pass = passes.onActor(1, 0xFFFFFFFFu, 5, 6);  // actor 0 lost
    ASSERT_TRUE(pass);
    EXPECT_EQ(pass->actors[0], (LiveActor{0, 1, 2, 3}));
    EXPECT_EQ(pass->actors[1].x, -1);
    EXPECT_FALSE(passes.onActor(kMaxLiveFrameActors, 0, 0, 0));
}

TEST(PassAssembler, APassLongerThanTheOneBeforeIsHandedOutAgainWhole) {
    PassAssembler passes;
    passes.onCamera(0, 0);
    passes.onActor(0, 1, 1, 1);
    passes.onCamera(0, 0);
    EXPECT_TRUE(passes.onActor(0, 1, 1, 1));
    EXPECT_FALSE(passes.onActor(1, 2, 2, 2));
    const auto whole = passes.onCamera(0, 0);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->actors.size(), 2u);
}

}  // namespace
}  // namespace ocre::relay
