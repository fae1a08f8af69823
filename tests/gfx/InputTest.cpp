#include "gfx/Input.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "net/FastEvent.h"
#include "net/Net2.h"
#include "net/Net2Texts.h"

namespace ocre {
namespace {

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

void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 0); }

void pushKey(Uint8 type, int symbol, int modifiers) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = static_cast<SDLKey>(symbol);
    event.key.keysym.mod = static_cast<SDLMod>(modifiers);
    push(event);
}

void pushButton(Uint8 type, int button, Uint16 x = 0, Uint16 y = 0) {
    SDL_Event event{};
    event.type = type;
    event.button.button = static_cast<Uint8>(button);
    event.button.x = x;
    event.button.y = y;
    push(event);
}

void pushPress(int button, Uint16 x = 0, Uint16 y = 0) { pushButton(SDL_MOUSEBUTTONDOWN, button, x, y); }
void pushRelease(int button, Uint16 x = 0, Uint16 y = 0) { pushButton(SDL_MOUSEBUTTONUP, button, x, y); }

void pushSocketNotice(int code, int socket, const void* detail) {
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    event.user.code = code;
    event.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(socket));
    event.user.data2 = const_cast<void*>(detail);
    push(event);
}

// Standard output of the code run, at the file descriptor level (printf).
template <typename Body>
std::string stdoutOf(Body body) {
    std::fflush(stdout);
    const int saved = dup(1);
    std::FILE* capture = std::tmpfile();
    dup2(fileno(capture), 1);
    body();
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    std::string text;
    std::rewind(capture);
    for (int c = std::fgetc(capture); c != EOF; c = std::fgetc(capture)) text.push_back(static_cast<char>(c));
    std::fclose(capture);
    return text;
}

TEST_F(InputTest, KeyDownStoresTwiceTheModifiersPlusOneAndKeyUpClears) {
    pushKey(SDL_KEYDOWN, SDLK_a, KMOD_NONE);
    pushKey(SDL_KEYDOWN, SDLK_b, KMOD_LSHIFT);
    pushKey(SDL_KEYDOWN, SDLK_c, KMOD_LCTRL | KMOD_RALT);
    pollInput();
    EXPECT_EQ(keyState(SDLK_a), 1);
    EXPECT_EQ(keyState(SDLK_b), 3);
    EXPECT_EQ(keyState(SDLK_c), 2 * (KMOD_LCTRL | KMOD_RALT) + 1);
    EXPECT_EQ(keyState(SDLK_d), 0);

    pushKey(SDL_KEYUP, SDLK_b, KMOD_LSHIFT);
    pollInput();
    EXPECT_EQ(keyState(SDLK_b), 0);
    EXPECT_EQ(keyState(SDLK_a), 1) << "a key stays down across frames until released";
    endFrameInput();
    EXPECT_EQ(keyState(SDLK_a), 1);
}

TEST_F(InputTest, KeySymbolsBeyondTheTableAreIgnored) {
    pushKey(SDL_KEYDOWN, kKeyStateSize, KMOD_NONE);
    pushKey(SDL_KEYDOWN, 511, KMOD_NONE);
    pushKey(SDL_KEYDOWN, SDLK_z, KMOD_NONE);
    pollInput();
    EXPECT_EQ(keyState(kKeyStateSize), 0);
    EXPECT_EQ(keyState(-1), 0);
    EXPECT_EQ(keyState(SDLK_z), 1) << "events after the ignored ones are still read";
}

TEST_F(InputTest, PressRecordsThePositionAndOnlyAReleaseMakesAClick) {
    pushPress(1, 120, 45);
    pollInput();
    EXPECT_EQ(buttonDown(kLeftButton), 1);
    EXPECT_EQ(buttonClicked(kLeftButton), 0);
    EXPECT_EQ(mouseX(), 120);
    EXPECT_EQ(mouseY(), 45);
    endFrameInput();
    EXPECT_EQ(buttonDown(kLeftButton), 1) << "a held button is not a click";

    pushRelease(1, 300, 300);
    pollInput();
    EXPECT_EQ(buttonDown(kLeftButton), 0);
    EXPECT_EQ(buttonClicked(kLeftButton), 1);
    EXPECT_EQ(mouseX(), 120) << "releases do not move the press position";
    EXPECT_EQ(buttonClicked(kRightButton), 0);
}

TEST_F(InputTest, AClickIsSeenInItsFrameAndTheNextOnly) {
    pushPress(3);
    pushRelease(3);
    pollInput();
    EXPECT_EQ(buttonClicked(kRightButton), 1);
    endFrameInput();
    pollInput();
    EXPECT_EQ(buttonClicked(kRightButton), 1);
    endFrameInput();
    pollInput();
    EXPECT_EQ(buttonClicked(kRightButton), 0);
}

TEST_F(InputTest, AClickInTheNextFrameMergesWithTheFirst) {
    pushPress(2);
    pushRelease(2);
    pollInput();
    endFrameInput();
    pushPress(2);
    pushRelease(2);
    pollInput();
    EXPECT_EQ(buttonClicked(kMiddleButton), 1);
    endFrameInput();
    pollInput();
    EXPECT_EQ(buttonClicked(kMiddleButton), 0) << "the second release was cleared with the first";
}

TEST_F(InputTest, AReleaseWhosePressWasClearedIsNoClick) {
    pushPress(1, 10, 20);
    pollInput();
    pushRelease(1);
    clearInput();
    EXPECT_EQ(buttonDown(kLeftButton), 0);
    pushRelease(1);
    pollInput();
    EXPECT_EQ(buttonClicked(kLeftButton), 0);
    EXPECT_EQ(mouseX(), 10) << "clearing keeps the last press position";
}

TEST_F(InputTest, MotionWheelAndQuitLeaveTheTablesAlone) {
    pushPress(1, 5, 6);
    pollInput();
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 200;
    motion.motion.y = 210;
    push(motion);
    pushPress(4, 400, 410);
    pushRelease(4, 400, 410);
    pushPress(5, 400, 410);
    pushPress(0, 400, 410);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    pollInput();
    EXPECT_EQ(mouseX(), 5);
    EXPECT_EQ(mouseY(), 6);
    for (int button = 0; button < kMouseButtons; ++button) EXPECT_EQ(buttonClicked(button), 0);
    EXPECT_EQ(buttonDown(kLeftButton), 1);
    SDL_Event left;
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_ALLEVENTS), 0) << "the quit event was consumed";
}

TEST_F(InputTest, LastUdpSocketKeepsTheLastDataNoticeOfTheFrame) {
    EXPECT_EQ(lastUdpSocket(), -1);
    pushSocketNotice(kNet2UdpDataEvent, 2, reinterpret_cast<void*>(-1));
    pushSocketNotice(kNet2UdpDataEvent, 5, reinterpret_cast<void*>(-1));
    pollInput();
    EXPECT_EQ(lastUdpSocket(), 5);
    endFrameInput();
    clearInput();
    EXPECT_EQ(lastUdpSocket(), 5) << "the frame's end and clearing keep it";
    setLastUdpSocket(-1);
    EXPECT_EQ(lastUdpSocket(), -1);
}

TEST_F(InputTest, SocketNoticesOtherThanDataArePrintedAndChangeNothing) {
    const std::string printed = stdoutOf([] {
        pushSocketNotice(kNet2ErrorEvent, 3, kNet2CantDeleteUdpSocket);
        pushSocketNotice(kNet2AcceptedEvent, 4, reinterpret_cast<void*>(5550));
        pushSocketNotice(kNet2TcpDataEvent, 4, reinterpret_cast<void*>(-1));
        pushSocketNotice(kNet2ClosedEvent, 4, reinterpret_cast<void*>(-1));
        pushSocketNotice(9, 4, nullptr);
        pollInput();
    });
    EXPECT_EQ(printed,
              "Erreur rezzo: NET2: can't delete a UDP socket from the socket set(3)\n"
              "unknown user event detected!\n"
              "unknown user event detected!\n"
              "unknown user event detected!\n"
              "unknown user event detected!\n");
    EXPECT_EQ(lastUdpSocket(), -1);
}

TEST_F(InputTest, AnErrorNoticeWithAForeignTextPrintsNoText) {
    static const char kNotTheManagers[] = "whatever";
    const std::string printed = stdoutOf([] {
        pushSocketNotice(kNet2ErrorEvent, 6, kNotTheManagers);
        pushSocketNotice(kNet2ErrorEvent, 7, reinterpret_cast<void*>(0x10));
        pollInput();
    });
    EXPECT_EQ(printed, "Erreur rezzo: (6)\nErreur rezzo: (7)\n");
}

TEST_F(InputTest, TheFrameEndClearsTheCommandFlags) {
    raiseCommandFlag(Command::Up);
    raiseCommandFlag(Command::Escape);
    EXPECT_TRUE(commandFlag(Command::Up));
    EXPECT_TRUE(commandFlag(Command::Escape));
    EXPECT_FALSE(commandFlag(Command::Fire1));
    endFrameInput();
    for (Command command : {Command::Up, Command::Down, Command::Left, Command::Right, Command::Jump, Command::Fire1,
                            Command::Fire2, Command::Escape}) {
        EXPECT_FALSE(commandFlag(command));
    }
}

TEST_F(InputTest, ClearInputDiscardsPendingEventsAndReleasesKeysAndButtons) {
    pushKey(SDL_KEYDOWN, SDLK_LEFT, KMOD_NONE);
    pushPress(1, 30, 40);
    pollInput();
    pushKey(SDL_KEYDOWN, SDLK_RIGHT, KMOD_NONE);
    pushSocketNotice(kNet2UdpDataEvent, 8, reinterpret_cast<void*>(-1));
    raiseCommandFlag(Command::Jump);
    clearInput();
    EXPECT_EQ(keyState(SDLK_LEFT), 0);
    EXPECT_EQ(buttonDown(kLeftButton), 0);
    EXPECT_FALSE(commandFlag(Command::Jump));
    pollInput();
    EXPECT_EQ(keyState(SDLK_RIGHT), 0) << "pending events were discarded";
    EXPECT_EQ(lastUdpSocket(), -1);
    EXPECT_EQ(mouseX(), 30);
    EXPECT_EQ(mouseY(), 40);
}

TEST_F(InputTest, PressInRectangleIncludesTheEdges) {
    pushPress(1, 100, 50);
    pollInput();
    EXPECT_TRUE(pressInRectangle(100, 50, 100, 50));
    EXPECT_TRUE(pressInRectangle(0, 0, 100, 50));
    EXPECT_TRUE(pressInRectangle(-20, -20, 200, 200));
    EXPECT_FALSE(pressInRectangle(101, 0, 200, 100));
    EXPECT_FALSE(pressInRectangle(0, 51, 200, 100));
    EXPECT_FALSE(pressInRectangle(0, 0, 99, 100));
    EXPECT_FALSE(pressInRectangle(0, 0, 200, 49));
    EXPECT_FALSE(pressInRectangle(200, 0, 0, 100)) << "an inverted rectangle holds nothing";
}

}  // namespace
}  // namespace ocre
