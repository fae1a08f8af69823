#pragma once
// The pictures a browser needs to draw the world, made once at start-up
// from the data set with the server's own loaders: the whole map as one
// PNG, one sprite sheet PNG per DAT list, and a JSON index telling where
// each frame sits, how long it is held, which list each actor index of the
// server's messages draws with, and the numbers of the camera rule.
//
// A sheet holds one row per animation of its list, frames left to right,
// black transparent. The lists are the distinct DAT files in the order the
// server loads them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ocre::relay {

struct AnimationLayout {
    uint32_t top = 0;  // the row's top pixel in the sheet
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t frames = 0;
    uint32_t delay = 0;
    std::vector<std::array<int32_t, 4>> boxes;  // left, top, right, bottom
};

struct SheetLayout {
    std::string datFile;
    std::vector<AnimationLayout> animations;
};

struct WorldPictures {
    std::vector<uint8_t> mapPng;
    uint32_t mapWidth = 0;
    uint32_t mapHeight = 0;
    std::vector<SheetLayout> sheets;
    std::vector<std::vector<uint8_t>> sheetPngs;
    std::vector<uint32_t> actorSheets;  // per actor index of the server's list
    std::string indexJson;

    // Loads the data set of directory; false with a one-line reason naming
    // the file that is missing or bad.
    bool build(const std::string& directory, std::string& error);
};

}  // namespace ocre::relay
