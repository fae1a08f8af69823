#pragma once
// The byte layouts of the server's data files, written field by field in
// little-endian order: sprite frames (.spr), tiles (.tle), map (.map),
// path (.pat) and DAT name lists (.dat).

#include <cstdint>
#include <string>
#include <vector>

#include "tools/defaultset/PixelImage.h"

namespace ocre {

// One animation: frames of one size, each held frameDelay extra steps.
struct SpriteSheet {
    uint16_t frameDelay = 0;
    std::vector<PixelImage> frames;
};

// Each frame's box is the smallest one holding its visible (non-black)
// pixels; a frame without any gets the box (0, 0, 0, 0).
PixelBox frameBox(const PixelImage& frame);
std::vector<uint8_t> encodeSpriteFile(const SpriteSheet& sheet);

struct TileArtwork {
    PixelImage image;
    bool walkable = true;
    bool transparent = false;
};
std::vector<uint8_t> encodeTileFile(const std::vector<TileArtwork>& tiles);

struct MapGrid {
    uint32_t cols = 0, rows = 0, tileWidth = 0, tileHeight = 0;
    std::vector<uint16_t> cells;  // row by row
};
std::vector<uint8_t> encodeMapFile(const MapGrid& grid);

struct Waypoint {
    int32_t x = 0, y = 0, z = 0;
};
std::vector<uint8_t> encodePathFile(const std::vector<Waypoint>& waypoints, bool loops);

// One name a line, line feeds only.
std::string encodeDatFile(const std::vector<std::string>& spriteFileNames);

}  // namespace ocre
