#pragma once
// What the dialogue tests share: sprite frame files of plain-coloured
// frames, and pixel reading. Colours are 0xRRGGBB.

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/RecordingDisplay.h"

namespace ocre::test {

// One frame per colour, every pixel of a frame in its colour, boxes zero.
void writeSpriteFile(const std::string& path, uint16_t width, uint16_t height, const std::vector<uint32_t>& colours);

// The colour of one pixel of a 32-bit surface (the tests' display depth);
// 0xFFFFFFFF, which is no colour, for any other depth.
uint32_t pixelAt(SDL_Surface* surface, int x, int y);

}  // namespace ocre::test
