#pragma once
// Input as SDL delivers it: events pushed onto SDL's queue, where the
// input poll reads them.

#include <SDL.h>
#include <gtest/gtest.h>

namespace ocre::test {

// A key going down (SDL_KEYDOWN) or up (SDL_KEYUP).
inline void pushKey(Uint8 type, int symbol, int modifiers = KMOD_NONE) {
    SDL_Event event{};
    const Uint8 state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key = {type, 0, state, {0, static_cast<SDLKey>(symbol), static_cast<SDLMod>(modifiers), 0}};
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

// A mouse button event (SDL_MOUSEBUTTONDOWN or SDL_MOUSEBUTTONUP), or any
// other event type that carries no data the input tables read.
inline void pushButton(Uint8 type, int button, int x, int y) {
    SDL_Event event{};
    const Uint8 state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button = {type, 0, static_cast<Uint8>(button), state, static_cast<Uint16>(x), static_cast<Uint16>(y)};
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

}  // namespace ocre::test
