#include "gfx/Input.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "net/FastEvent.h"
#include "net/Net2.h"
#include "net/Net2Texts.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

constexpr Uint8 kPress = SDL_MOUSEBUTTONDOWN;
constexpr Uint8 kRelease = SDL_MOUSEBUTTONUP;

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0);
        ASSERT_EQ(fe_start(), 0);
        resetInputForTesting();
    }
    void TearDown() override {
        resetInputForTesting();
        fe_stop();
        SDL_Quit();
    }
};

using test::pushKey;

void pushButton(Uint8 type, int button = SDL_BUTTON_LEFT, int x = 0, int y = 0) { test::pushButton(type, button, x, y); }

void pushSocketNotice(int code, int socket, const void* detail = reinterpret_cast<void*>(-1)) {
    SDL_Event event{};
    event.user = {SDL_USEREVENT, code, reinterpret_cast<void*>(static_cast<intptr_t>(socket)), const_cast<void*>(detail)};
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

TEST_F(InputTest, AKeyHoldsTwiceItsModifiersPlusOneUntilReleased) {
    const struct { int symbol, modifiers, state; } keys[] = {
        {SDLK_a, KMOD_NONE, 1},
        {SDLK_b, KMOD_LSHIFT, 3},
        {SDLK_c, KMOD_LCTRL | KMOD_RALT, 2 * (KMOD_LCTRL | KMOD_RALT) + 1},
        {kKeyStateSize, KMOD_NONE, 0},  // beyond the table: ignored, and what follows is still read
        {SDLK_z, KMOD_NONE, 1},
    };
    for (const auto& key : keys) pushKey(SDL_KEYDOWN, key.symbol, key.modifiers);
    pollInput();
    for (const auto& key : keys) EXPECT_EQ(keyState(key.symbol), key.state) << key.symbol;
    pushKey(SDL_KEYUP, SDLK_b, KMOD_LSHIFT);
    pollInput();
    endFrameInput();
    EXPECT_EQ(keyState(SDLK_b), 0);
    EXPECT_EQ(keyState(SDLK_a), 1) << "a key stays down across frames until released";
}

// Frame by frame: the left button's events, its state after the poll; every
// frame's end also clears the command flags.
TEST_F(InputTest, AReleaseIsAClickInItsFrameAndTheNextOnly) {
    const struct { std::vector<Uint8> events; int down, clicked; } frames[] = {
        {{kPress}, 1, 0}, {{}, 1, 0},                           // held: no click
        {{kRelease}, 0, 1}, {{}, 0, 1}, {{}, 0, 0},             // seen in two frames, then cleared
        {{kPress, kRelease}, 0, 1}, {{kPress, kRelease}, 0, 1}, {{}, 0, 0},  // the second click merges
        {{kRelease}, 0, 0},                                     // a release without a press
    };
    for (size_t frame = 0; frame < std::size(frames); ++frame) {
        SCOPED_TRACE(frame);
        for (Uint8 type : frames[frame].events) pushButton(type);
        pollInput();
        EXPECT_EQ(buttonDown(kLeftButton), frames[frame].down);
        EXPECT_EQ(buttonClicked(kLeftButton), frames[frame].clicked);
        EXPECT_EQ(buttonClicked(kRightButton), 0);
        for (int c = 0; c < kCommandCount; ++c) EXPECT_FALSE(commandFlag(static_cast<Command>(c)));
        for (int c = 0; c < kCommandCount; ++c) raiseCommandFlag(static_cast<Command>(c));
        endFrameInput();
    }
}

TEST_F(InputTest, OnlyButtonsOneToThreeMoveThePressPositionWhichRectanglesHoldEdgesIncluded) {
    pushButton(kPress, SDL_BUTTON_RIGHT, 120, 45);
    pushButton(SDL_MOUSEMOTION, 0, 200, 210);
    pushButton(kRelease, SDL_BUTTON_RIGHT, 300, 300);
    for (int wheelOrUnknown : {4, 5, 0}) pushButton(kPress, wheelOrUnknown, 400, 410);
    pushButton(SDL_QUIT);
    pollInput();
    EXPECT_EQ(std::make_pair(mouseX(), mouseY()), std::make_pair(120, 45));
    EXPECT_EQ(buttonClicked(kRightButton), 1);
    EXPECT_EQ(buttonDown(kLeftButton) + buttonDown(kMiddleButton) + buttonDown(kRightButton), 0);
    SDL_Event left;
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_ALLEVENTS), 0) << "polling stopped at the quit event";

    const struct { int x1, y1, x2, y2; bool inside; } rectangles[] = {
        {120, 45, 120, 45, true},  {-20, -20, 200, 200, true}, {121, 0, 200, 100, false},
        {0, 46, 200, 100, false},  {0, 0, 119, 100, false},    {0, 0, 200, 44, false},
    };
    for (const auto& r : rectangles) {
        EXPECT_EQ(pressInRectangle(r.x1, r.y1, r.x2, r.y2), r.inside) << r.x1 << ',' << r.y1 << ',' << r.x2;
    }
}

TEST_F(InputTest, ClearingDiscardsPendingEventsReleasesKeysAndButtonsAndKeepsTheRest) {
    EXPECT_EQ(lastUdpSocket(), -1);
    pushKey(SDL_KEYDOWN, SDLK_LEFT);
    pushButton(kPress, SDL_BUTTON_LEFT, 30, 40);
    pushSocketNotice(kNet2UdpDataEvent, 2);
    pushSocketNotice(kNet2UdpDataEvent, 5);
    pollInput();
    EXPECT_EQ(lastUdpSocket(), 5) << "the last data notice of the frame wins";

    pushKey(SDL_KEYDOWN, SDLK_RIGHT);
    pushSocketNotice(kNet2UdpDataEvent, 8);
    clearInput();
    pushButton(kRelease);
    pollInput();
    EXPECT_EQ(keyState(SDLK_LEFT), 0);
    EXPECT_EQ(keyState(SDLK_RIGHT), 0) << "a pending key was not discarded";
    EXPECT_EQ(buttonDown(kLeftButton), 0);
    EXPECT_EQ(buttonClicked(kLeftButton), 0) << "the release of a cleared press is no click";
    EXPECT_EQ(lastUdpSocket(), 5);
    EXPECT_EQ(std::make_pair(mouseX(), mouseY()), std::make_pair(30, 40));
}

TEST_F(InputTest, SocketNoticesOtherThanDataArePrintedAndChangeNothing) {
    static const char kNotTheManagers[] = "whatever";
    pushSocketNotice(kNet2ErrorEvent, 3, kNet2CantDeleteUdpSocket);
    pushSocketNotice(kNet2ErrorEvent, 6, kNotTheManagers);  // a text not known to be the manager's is not read
    pushSocketNotice(kNet2AcceptedEvent, 4, reinterpret_cast<void*>(5550));
    pushSocketNotice(kNet2TcpDataEvent, 4);
    pushSocketNotice(kNet2ClosedEvent, 4);
    pushSocketNotice(9, 4, nullptr);
    EXPECT_EQ(test::captureStdout(pollInput),
              "Erreur rezzo: NET2: can't delete a UDP socket from the socket set(3)\n"
              "Erreur rezzo: (6)\n"
              "unknown user event detected!\n"
              "unknown user event detected!\n"
              "unknown user event detected!\n"
              "unknown user event detected!\n");
    EXPECT_EQ(lastUdpSocket(), -1);
}

}  // namespace
}  // namespace ocre
