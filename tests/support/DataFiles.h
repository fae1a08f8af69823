#pragma once
// Small data files of every kind the loaders read, and the check of a
// fatal refusal.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

namespace ocre::test {

using File = std::vector<uint8_t>;

// `pixels`: r, g, b and an ignored byte per pixel, frame after frame;
// `boxes`: left, top, right, bottom per frame.
File spriteFile(uint16_t frames, uint16_t delay, uint16_t width, uint16_t height, const File& pixels,
                const std::vector<uint32_t>& boxes);
File plainSprite(uint16_t frames, uint16_t width, uint16_t height);
// One frame per colour (0xRRGGBB), every pixel of a frame in its colour, boxes zero.
File colourSprite(uint16_t width, uint16_t height, const std::vector<uint32_t>& colours);
// One width x height tile record per walkable byte.
File tileFile(int32_t width, int32_t height, const std::vector<uint8_t>& walkable);
// Header bytes A to E are 0.
File mapFile(uint32_t cols, uint32_t rows, uint32_t tileWidth, uint32_t tileHeight, const std::vector<uint16_t>& cells);
File pathFile(uint8_t loop, const std::vector<std::array<int32_t, 3>>& waypoints);

// Body, run in a child, ends with status 255 (exit -1) after printing
// exactly `out` on standard output.
::testing::AssertionResult diesWith(const std::function<void()>& body, const std::string& out);

}  // namespace ocre::test
