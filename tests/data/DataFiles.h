#pragma once
// Builders for small data files of every kind the loaders read, and an
// opened display on the dummy driver for the loaders that make surfaces.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx/DisplaySDL.h"
#include "tests/support/TestFiles.h"

struct SDL_Surface;

namespace ocre::test {

struct Rgbx {
    uint8_t r = 0, g = 0, b = 0, ignored = 0;
};

struct Box {
    uint32_t left = 0, top = 0, right = 0, bottom = 0;
};

// A sprite frame file: pixels frame after frame, row after row.
Bytes spriteFile(uint16_t delay, uint16_t width, uint16_t height, const std::vector<std::vector<Rgbx>>& frames,
                 const std::vector<Box>& boxes);
// A sprite file of `frames` frames of the given size, all pixels alike.
Bytes plainSprite(uint16_t frames, uint16_t width, uint16_t height);

// One tile record; every pixel the same colour.
Bytes tileRecord(int32_t width, int32_t height, uint8_t transparent, uint8_t walkable, Rgbx colour = {});

struct MapHeader {
    uint32_t cols = 0, rows = 0, tileWidth = 32, tileHeight = 32;
    uint8_t a = 0, b = 0, c = 0;
    uint32_t d = 0;
    uint8_t e = 0;
};
Bytes mapFile(const MapHeader& header, const std::vector<uint16_t>& indices);

struct Waypoint {
    int32_t x = 0, y = 0, z = 0;
};
Bytes pathFile(uint8_t loop, const std::vector<Waypoint>& waypoints);

// SDL video on the dummy driver with the server's 640 x 480 x 32 screen,
// for as long as the object lives.
class OpenDisplay {
public:
    OpenDisplay();
    DisplaySDL& display() { return *display_; }

private:
    std::unique_ptr<DisplaySDL> display_;
};

// The pixel value at (x, y) of a 32-bit surface, and what a colour maps to
// on the screen's format.
uint32_t pixelAt(SDL_Surface* surface, int x, int y);
uint32_t screenColour(uint8_t r, uint8_t g, uint8_t b);

// Runs body in a child and tells whether it ended cleanly: exited (not by
// a signal, not killed for hanging) with status 0 or 255.
::testing::AssertionResult endsCleanly(const std::function<void()>& body);

// Deterministic damage for robustness runs: every cut length (sampled down
// to at most `cuts`) and `flips` copies with one to three bits flipped.
std::vector<std::vector<uint8_t>> damagedVersions(const std::vector<uint8_t>& valid, size_t cuts, size_t flips,
                                                  uint32_t seed);

}  // namespace ocre::test
