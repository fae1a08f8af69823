#include <SDL.h>
#include <gtest/gtest.h>

#include "app/FrameTimer.h"

namespace ocre {
namespace {

class FrameTimerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0); }
    void TearDown() override { SDL_Quit(); }
    FrameTimer timer;
};

TEST_F(FrameTimerTest, ElapsedRightAfterMarkIsZeroOrAlmost) {
    timer.mark();
    EXPECT_LE(timer.elapsed(), 1u);
}

TEST_F(FrameTimerTest, WaitSinceMarkReturnsOnceTheTargetIsReached) {
    const uint32_t mark = timer.mark();
    const uint32_t last = timer.waitSinceMark(20);
    EXPECT_GE(last, mark + 20);
    EXPECT_GE(SDL_GetTicks(), mark + 20);
}

TEST_F(FrameTimerTest, WaitSinceMarkOfZeroReturnsAtOnce) {
    const uint32_t mark = timer.mark();
    EXPECT_LE(timer.waitSinceMark(0) - mark, 1u);
}

TEST_F(FrameTimerTest, WaitForCountsFromItsOwnEntry) {
    const uint32_t before = SDL_GetTicks();
    const uint32_t last = timer.waitFor(15);
    EXPECT_GE(last, before + 15);
}

}  // namespace
}  // namespace ocre
