#pragma once
// Map tiles and the tile-file record readers. A record: width and height
// (signed 32-bit LE), five flag bytes, then width x height pixels of
// red, green, blue and an ignored byte.

#include <cstdint>
#include <cstdio>
#include <memory>

#include "gfx/Surface.h"

namespace ocre {

class Display;

struct Tile {
    int32_t width = 0;
    int32_t height = 0;
    uint8_t spare1 = 0;
    uint8_t transparent = 0;
    uint8_t spare2 = 0;
    uint8_t spare3 = 0;
    uint8_t walkable = 0;
    std::unique_ptr<SurfaceSDL> surface;
};

constexpr int kTileHeaderBytes = 13;
constexpr int kTileBytesPerPixel = 4;
// A flag byte (transparent, walkable) holds only when it is exactly this.
constexpr uint8_t kTileFlagSet = 1;

// The parts of a record both readers share. The header: sizes and flags
// (a field the file stops short of keeps its value, the sizes 0); true if
// the width could be read. A byte: `out` unchanged at the end of the file.
bool readTileHeader(Tile& tile, std::FILE* file);
void readTileByte(std::FILE* file, uint8_t& out);

// Reads the next record into the tile. 1 if its width could be read, else -1.
// Its image is made on the display's surfaces, so this and drawTile link
// the video library; the record readers below do not.
int readTile(Tile& tile, std::FILE* file);
// The same without the image: sizes and flags are read, the pixels passed
// over, and no surface is made (no display needed).
int readTileWithoutImage(Tile& tile, std::FILE* file);
// Reads past the next record: 1 when its whole pixel block was present.
int skipTile(std::FILE* file);
void drawTile(const Tile& tile, int32_t x, int32_t y, Display& display);

}  // namespace ocre
