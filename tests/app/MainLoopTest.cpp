#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "app/FrameTimer.h"
#include "app/MainLoop.h"
#include "app/StopSignal.h"
#include "gfx/Input.h"
#include "net/FastEvent.h"
#include "tests/support/SdlEvents.h"
#include "world/KeyboardController.h"

namespace ocre {
namespace {

// Logs the turn's steps; Escape is seen at the given exit test, SIGINT is
// raised during the given pass, and each pass may take some milliseconds.
struct ScriptedTurn : TurnSteps {
    explicit ScriptedTurn(int escapeAt, uint32_t workMs = 0, int signalAt = 0)
        : escapeAt(escapeAt), workMs(workMs), signalAt(signalAt) {}
    void scenePass() override {
        log += 'S';
        if (workMs > 0) SDL_Delay(workMs);
        if (++passes == signalAt) std::raise(SIGINT);
    }
    void serveRequests() override { log += 'R'; }
    bool escapeHeld() override {
        log += 'E';
        return ++tests >= escapeAt;
    }
    int escapeAt;
    uint32_t workMs;
    int signalAt, passes = 0, tests = 0;
    std::string log;
};

class MainLoopTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
        resetStopRequestForTesting();
    }
    void TearDown() override { SDL_Quit(); }
    FrameTimer timer;
};

TEST_F(MainLoopTest, TurnsRunScenePassThenRequestsThenExitTestAndCountTheLast) {
    ScriptedTurn once(1);
    EXPECT_EQ(runMainLoop(timer, once), 1u);
    ScriptedTurn thrice(3);
    EXPECT_EQ(runMainLoop(timer, thrice), 3u);
    EXPECT_EQ(thrice.log, "SRESRESRE");
}

// Bounds are loose: CI machines are loaded.
TEST_F(MainLoopTest, TurnsLastTwentyFiveMillisecondsAndSlowOnesAreNotMadeUp) {
    ScriptedTurn quick(8);
    uint32_t start = SDL_GetTicks();
    runMainLoop(timer, quick);
    EXPECT_GE(SDL_GetTicks() - start, 8u * 25u);
    EXPECT_LT(SDL_GetTicks() - start, 8u * 25u + 2000u);

    ScriptedTurn slow(3, 40);
    start = SDL_GetTicks();
    runMainLoop(timer, slow);
    EXPECT_GE(SDL_GetTicks() - start, 3u * 40u);
    EXPECT_LT(SDL_GetTicks() - start, 3u * 40u + 1000u);
}

TEST_F(MainLoopTest, StopSignalEndsTheLoopAfterTheCurrentTurn) {
    ScriptedTurn turn(1000000, 0, 2);
    installStopSignalHandlers();
    EXPECT_EQ(runMainLoop(timer, turn), 2u);
    EXPECT_TRUE(stopRequested());
}

// The loop as the server runs it: the input poll and reset around each
// pass, K1's escape key as the exit test (or, here, a third turn).
struct KeyboardTurn : TurnSteps {
    void scenePass() override {
        pollInput();
        endFrameInput();
    }
    void serveRequests() override {}
    bool escapeHeld() override { return k1.escape() != 0 || ++turns == 3; }
    KeyboardController k1{SDLK_UP, SDLK_DOWN, SDLK_RIGHT, SDLK_LEFT, 'v', ' ', 'n', SDLK_ESCAPE};
    int turns = 0;
};

void pushKey(Uint8 type) { test::pushKey(type, SDLK_ESCAPE); }

TEST(MainLoopWithKeyboard, EscapeHeldAtAPollEndsTheLoopButATapWithinOnePollDoesNot) {
    resetStopRequestForTesting();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0);
    ASSERT_NE(SDL_SetVideoMode(640, 480, 32, 0), nullptr);
    ASSERT_EQ(fe_start(), 0);
    FrameTimer timer;
    KeyboardTurn held;
    pushKey(SDL_KEYDOWN);
    EXPECT_EQ(runMainLoop(timer, held), 1u);
    KeyboardTurn tapped;
    for (Uint8 type : {SDL_KEYUP, SDL_KEYDOWN, SDL_KEYUP}) pushKey(type);
    EXPECT_EQ(runMainLoop(timer, tapped), 3u);
    fe_stop();
    SDL_Quit();
}

}  // namespace
}  // namespace ocre
