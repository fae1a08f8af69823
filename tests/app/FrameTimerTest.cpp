#include <SDL.h>
#include <gtest/gtest.h>

#include <ctime>

#include "app/FrameTimer.h"

namespace ocre {
namespace {

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Bounds on lateness and processor time are loose: CI machines are loaded.
TEST(FrameTimer, WaitsEndWhenTheTickReachesTheirTargetAndMostlySleep) {
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
    FrameTimer timer;
    const uint32_t mark = timer.mark();
    EXPECT_LE(timer.elapsed(), 1u);
    EXPECT_LE(timer.waitSinceMark(0) - mark, 1u);
    const uint32_t last = timer.waitSinceMark(20);
    EXPECT_GE(last, mark + 20);
    EXPECT_LT(last, mark + 20 + 500);
    const uint32_t before = SDL_GetTicks();
    EXPECT_GE(timer.waitFor(15), before + 15);

    const double processorBefore = threadSeconds();
    for (int turn = 0; turn < 10; ++turn) {
        timer.mark();
        timer.waitSinceMark(25);
    }
    EXPECT_LT(threadSeconds() - processorBefore, 0.025);  // a tenth of the 250 ms waited
    SDL_Quit();
}

}  // namespace
}  // namespace ocre
