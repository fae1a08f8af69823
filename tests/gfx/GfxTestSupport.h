#pragma once
// An opened 640 x 480 display on SDL's dummy driver, for tests that need
// surfaces in the screen's format.

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "gfx/DisplaySDL.h"
#include "tests/support/Pixels.h"

namespace ocre::test {

class WithOpenDisplay : public testing::Test {
protected:
    void SetUp() override {
        display = std::make_unique<DisplaySDL>(640, 480, 32);
        display->open();
    }
    void TearDown() override { display.reset(); }
    std::unique_ptr<DisplaySDL> display;
};

// 8-bit surfaces start with an all-black palette; give them black and white.
inline void giveBlackAndWhitePalette(SDL_Surface* surface) {
    if (surface->format->BytesPerPixel != 1) return;
    SDL_Color colors[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    SDL_SetColors(surface, colors, 0, 2);
}

}  // namespace ocre::test
