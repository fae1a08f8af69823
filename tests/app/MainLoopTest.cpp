#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <vector>

#include "app/FrameTimer.h"
#include "app/MainLoop.h"
#include "app/StopSignal.h"
#include "gfx/Input.h"
#include "net/FastEvent.h"
#include "world/KeyboardController.h"

namespace ocre {
namespace {

// Records the order of the turn's steps and answers Escape after a number
// of exit tests.
class ScriptedTurn : public TurnSteps {
public:
    explicit ScriptedTurn(int escapeAtTest, uint32_t workMs = 0) : escapeAtTest_(escapeAtTest), workMs_(workMs) {}
    void scenePass() override {
        log.push_back('S');
        if (workMs_ > 0) SDL_Delay(workMs_);
    }
    void serveRequests() override { log.push_back('R'); }
    bool escapeHeld() override {
        log.push_back('E');
        return ++tests_ >= escapeAtTest_;
    }
    std::vector<char> log;

private:
    int escapeAtTest_;
    uint32_t workMs_;
    int tests_ = 0;
};

// Runs another set of steps, raising a signal during one of its scene passes.
class SignalDuringPass : public TurnSteps {
public:
    SignalDuringPass(TurnSteps& inner, int pass, int signalNumber)
        : inner_(inner), pass_(pass), signalNumber_(signalNumber) {}
    void scenePass() override {
        inner_.scenePass();
        if (++passes_ == pass_) std::raise(signalNumber_);
    }
    void serveRequests() override { inner_.serveRequests(); }
    bool escapeHeld() override { return inner_.escapeHeld(); }

private:
    TurnSteps& inner_;
    int pass_;
    int signalNumber_;
    int passes_ = 0;
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
    EXPECT_EQ(thrice.log, (std::vector<char>{'S', 'R', 'E', 'S', 'R', 'E', 'S', 'R', 'E'}));
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
    ScriptedTurn turn(1000000);
    SignalDuringPass steps(turn, 2, SIGINT);
    installStopSignalHandlers();
    EXPECT_EQ(runMainLoop(timer, steps), 2u);
    EXPECT_TRUE(stopRequested());
}

}  // namespace
}  // namespace ocre

namespace ocre {
namespace {

// The loop as the server runs it: the input poll and reset around each
// pass, and K1's escape key as the exit test.
class KeyboardTurn : public TurnSteps {
public:
    void scenePass() override {
        pollInput();
        endFrameInput();
    }
    void serveRequests() override {}
    bool escapeHeld() override { return k1.escape() != 0; }
    KeyboardController k1{SDLK_UP, SDLK_DOWN, SDLK_RIGHT, SDLK_LEFT, 'v', ' ', 'n', SDLK_ESCAPE};
};

class MainLoopWithKeyboard : public testing::Test {
protected:
    void SetUp() override {
        resetStopRequestForTesting();
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0);
        ASSERT_NE(SDL_SetVideoMode(640, 480, 32, 0), nullptr);
        ASSERT_EQ(fe_start(), 0);
    }
    void TearDown() override {
        fe_stop();
        SDL_Quit();
    }
    static void pushKey(Uint8 type, SDLKey key) {
        SDL_Event event{};
        event.type = type;
        event.key.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        fe_push(&event);
    }
    FrameTimer timer;
};

TEST_F(MainLoopWithKeyboard, EscapeHeldAtAPollEndsTheLoopButATapWithinOnePollDoesNot) {
    KeyboardTurn held;
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_EQ(runMainLoop(timer, held), 1u);

    KeyboardTurn tapped;
    pushKey(SDL_KEYUP, SDLK_ESCAPE);
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    pushKey(SDL_KEYUP, SDLK_ESCAPE);
    // A later signal ends the run; by then Escape was seen released.
    SignalDuringPass steps(tapped, 3, SIGTERM);
    installStopSignalHandlers();
    EXPECT_EQ(runMainLoop(timer, steps), 3u);
}

}  // namespace
}  // namespace ocre
