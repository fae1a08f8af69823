#include "client/WindowInput.h"

#include <SDL.h>

#include "protocol/ProtocolTexts.h"

namespace ocre::client {

namespace {
using protocol::kCommandWords;
constexpr SDLKey kStatusToggleKey = SDLK_h;
}  // namespace

// In the order of the command words: up, down, left, right, jump, fire1,
// fire2, escape.
const KeyCommand kKeyCommands[] = {
    {SDLK_UP, "Up", kCommandWords[0]},       {SDLK_DOWN, "Down", kCommandWords[1]},
    {SDLK_LEFT, "Left", kCommandWords[2]},   {SDLK_RIGHT, "Right", kCommandWords[3]},
    {SDLK_v, "v", kCommandWords[4]},         {SDLK_SPACE, "Space", kCommandWords[5]},
    {SDLK_n, "n", kCommandWords[6]},         {SDLK_BACKSPACE, "Backspace", kCommandWords[7]},
};
const size_t kKeyCommandCount = sizeof kKeyCommands / sizeof kKeyCommands[0];
const char* const kStatusToggleKeyName = "h";
const char* const kQuitKeyName = "Escape";

WindowRound readWindow() {
    WindowRound round;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) round.quit = true;
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) round.quit = true;
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == kStatusToggleKey) round.toggleStatus = true;
    }
    int count = 0;
    const Uint8* keys = SDL_GetKeyState(&count);
    for (size_t i = 0; i < kKeyCommandCount; ++i)
        if (kKeyCommands[i].key < count && keys[kKeyCommands[i].key]) round.heldWords.push_back(kKeyCommands[i].word);
    return round;
}

}  // namespace ocre::client
