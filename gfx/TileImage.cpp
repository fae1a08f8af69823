// The tile records' images: kept apart from the record reader so that a
// program which only walks maps (the route command) links no video library.

#include <cstdio>

#include "core/Fatal.h"
#include "gfx/Display.h"
#include "gfx/DisplaySDL.h"
#include "gfx/Tile.h"

namespace ocre {

namespace {

constexpr const char* kNoMemoryForTile = "pas assez de memoire pour allouer la mosaique ";

}  // namespace

int readTile(Tile& tile, std::FILE* file) {
    const bool widthRead = readTileHeader(tile, file);

    tile.surface.reset(createSurface(tile.width, tile.height));
    if (!tile.surface) {
        std::fclose(file);
        fatalf(stdout, "%s\n", kNoMemoryForTile);
    }

    // A short file repeats the previous pixel's bytes, black before the first.
    uint8_t r = 0, g = 0, b = 0, ignored = 0;
    for (int32_t row = 0; row < tile.height; ++row) {
        for (int32_t col = 0; col < tile.width; ++col) {
            readTileByte(file, r);
            readTileByte(file, g);
            readTileByte(file, b);
            readTileByte(file, ignored);
            tile.surface->putPixel(col, row, r, g, b);
        }
    }
    if (tile.transparent == kTileFlagSet) tile.surface->setColorKey(0, 0, 0);
    return widthRead ? 1 : -1;
}

void drawTile(const Tile& tile, int32_t x, int32_t y, Display& display) {
    display.drawSurface(tile.surface.get(), static_cast<int16_t>(x), static_cast<int16_t>(y),
                        static_cast<uint16_t>(tile.width), static_cast<uint16_t>(tile.height));
}

}  // namespace ocre
