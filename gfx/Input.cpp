#include "gfx/Input.h"

#include <SDL.h>

#include <array>
#include <cstdio>

#include "net/FastEvent.h"
#include "net/Net2.h"

namespace ocre {

namespace {

constexpr const char* kNetworkErrorLine = "Erreur rezzo: %s(%d)\n";
constexpr const char* kUnknownUserEventLine = "unknown user event detected!\n";
constexpr const char* kUnrecognisedErrorText = "";
constexpr int32_t kNoSocket = -1;
constexpr int kFirstButtonNumber = 1;  // SDL numbers buttons from 1

std::array<int32_t, kKeyStateSize> keyStates{};
std::array<int32_t, kMouseButtons> buttonsDown{};
std::array<int32_t, kMouseButtons> buttonsClicked{};
std::array<int32_t, kMouseButtons> buttonsClickedPrev{};
int32_t pressX = 0;
int32_t pressY = 0;
int32_t udpSocket = kNoSocket;
std::array<bool, kCommandCount> commandFlags{};

bool inKeyTable(int keySymbol) { return keySymbol >= 0 && keySymbol < kKeyStateSize; }

bool inButtonTable(int index) { return index >= 0 && index < kMouseButtons; }

// Only buttons 1 to 3 are tracked: the wheel (4 and 5) and any further
// buttons are neither presses nor clicks for the game.
int buttonIndex(const SDL_MouseButtonEvent& event) { return event.button - kFirstButtonNumber; }

void onKeyDown(const SDL_KeyboardEvent& event) {
    const int symbol = event.keysym.sym;
    if (inKeyTable(symbol)) keyStates[symbol] = 2 * static_cast<int32_t>(event.keysym.mod) + 1;
}

void onKeyUp(const SDL_KeyboardEvent& event) {
    const int symbol = event.keysym.sym;
    if (inKeyTable(symbol)) keyStates[symbol] = 0;
}

void onButtonDown(const SDL_MouseButtonEvent& event) {
    const int index = buttonIndex(event);
    if (!inButtonTable(index)) return;
    buttonsDown[index] = 1;
    pressX = event.x;
    pressY = event.y;
}

void onButtonUp(const SDL_MouseButtonEvent& event) {
    const int index = buttonIndex(event);
    if (!inButtonTable(index)) return;
    if (buttonsDown[index] == 1) buttonsClicked[index] = 1;
    buttonsDown[index] = 0;
}

void onSocketNotice(const SDL_Event& event) {
    switch (net2_event_kind(&event)) {
    case kNet2ErrorEvent: {
        const char* text = net2_event_error(&event);
        std::printf(kNetworkErrorLine, text != nullptr ? text : kUnrecognisedErrorText, net2_event_socket(&event));
        break;
    }
    case kNet2UdpDataEvent:
        udpSocket = net2_event_socket(&event);
        break;
    default:
        std::fputs(kUnknownUserEventLine, stdout);
    }
}

}  // namespace

void pollInput() {
    SDL_Event event;
    while (fe_poll(&event) > 0) {
        switch (event.type) {
        case SDL_KEYDOWN:
            onKeyDown(event.key);
            break;
        case SDL_KEYUP:
            onKeyUp(event.key);
            break;
        case SDL_MOUSEBUTTONDOWN:
            onButtonDown(event.button);
            break;
        case SDL_MOUSEBUTTONUP:
            onButtonUp(event.button);
            break;
        case SDL_USEREVENT:
            onSocketNotice(event);
            break;
        default:
            break;
        }
    }
}

// A release is a click for the frame it arrives in and the next one.
void endFrameInput() {
    for (int i = 0; i < kMouseButtons; ++i) {
        if (buttonsClickedPrev[i] == 1) buttonsClicked[i] = 0;
    }
    buttonsClickedPrev = buttonsClicked;
    commandFlags.fill(false);
}

void clearInput() {
    SDL_Event discarded;
    while (fe_poll(&discarded) > 0) {
    }
    keyStates.fill(0);
    buttonsDown.fill(0);
    endFrameInput();
}

int32_t keyState(int keySymbol) { return inKeyTable(keySymbol) ? keyStates[keySymbol] : 0; }

int32_t buttonDown(int button) { return inButtonTable(button) ? buttonsDown[button] : 0; }

int32_t buttonClicked(int button) { return inButtonTable(button) ? buttonsClicked[button] : 0; }

int32_t mouseX() { return pressX; }

int32_t mouseY() { return pressY; }

int32_t lastUdpSocket() { return udpSocket; }

void setLastUdpSocket(int32_t socket) { udpSocket = socket; }

bool commandFlag(Command command) { return commandFlags[static_cast<size_t>(command)]; }

void raiseCommandFlag(Command command) { commandFlags[static_cast<size_t>(command)] = true; }

bool pressInRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return x1 <= pressX && pressX <= x2 && y1 <= pressY && pressY <= y2;
}

void resetInputForTesting() {
    keyStates.fill(0);
    buttonsDown.fill(0);
    buttonsClicked.fill(0);
    buttonsClickedPrev.fill(0);
    pressX = 0;
    pressY = 0;
    udpSocket = kNoSocket;
    commandFlags.fill(false);
}

}  // namespace ocre
