#pragma once
// What the dialogue tests share: sprite frame files of plain-coloured
// frames, a display that records what it is asked to draw, a glyph source of
// chosen sizes, and pixel reading.

#include <SDL.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "gfx/Display.h"
#include "tests/support/RecordingDisplay.h"

namespace ocre::test {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};

// One frame per colour, every pixel of a frame in its colour, boxes zero.
void writeSpriteFile(const std::string& path, uint16_t width, uint16_t height, const std::vector<Rgb>& frameColours);

// The colour of one pixel of a surface (locked around the read, so that an
// RLE-accelerated surface reads too).
Rgb pixelAt(SDL_Surface* surface, int x, int y);


}  // namespace ocre::test
