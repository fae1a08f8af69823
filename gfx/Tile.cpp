#include "gfx/Tile.h"

#include <cstdio>

#include "core/Fatal.h"
#include "core/LittleEndian.h"
#include "gfx/Display.h"
#include "gfx/DisplaySDL.h"

namespace ocre {

namespace {

constexpr const char* kNoMemoryForTile = "pas assez de memoire pour allouer la mosaique ";
constexpr size_t kSkipChunk = 64 * 1024;

void readByte(std::FILE* file, uint8_t& out) {
    int c = std::fgetc(file);
    if (c != EOF) out = static_cast<uint8_t>(c);
}

bool readTileHeader(Tile& tile, std::FILE* file) {
    tile.width = 0;
    tile.height = 0;
    const bool widthRead = readLittleEndianInt32(file, tile.width);
    readLittleEndianInt32(file, tile.height);
    readByte(file, tile.spare1);
    readByte(file, tile.transparent);
    readByte(file, tile.spare2);
    readByte(file, tile.spare3);
    readByte(file, tile.walkable);
    return widthRead;
}

}  // namespace

int readTileWithoutImage(Tile& tile, std::FILE* file) {
    const bool widthRead = readTileHeader(tile, file);
    if (tile.width > 0 && tile.height > 0) {
        std::fseek(file, static_cast<long>(int64_t{tile.width} * tile.height * 4), SEEK_CUR);
    }
    return widthRead ? 1 : -1;
}

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
            readByte(file, r);
            readByte(file, g);
            readByte(file, b);
            readByte(file, ignored);
            tile.surface->putPixel(col, row, r, g, b);
        }
    }
    if (tile.transparent == 1) tile.surface->setColorKey(0, 0, 0);
    return widthRead ? 1 : -1;
}

int skipTile(std::FILE* file) {
    int32_t width = 0;
    int32_t height = 0;
    readLittleEndianInt32(file, width);
    readLittleEndianInt32(file, height);
    unsigned char flags[5];
    if (std::fread(flags, 1, sizeof flags, file) != sizeof flags) return -1;
    // A record with no pixels ends the list; so does one whose sizes are
    // negative, which no surface can be made of.
    if (width <= 0 || height <= 0) return -1;

    static unsigned char scratch[kSkipChunk];
    uint64_t remaining = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4u;
    while (remaining > 0) {
        const size_t want = remaining < kSkipChunk ? static_cast<size_t>(remaining) : kSkipChunk;
        const size_t got = std::fread(scratch, 1, want, file);
        remaining -= got;
        if (got != want) return -1;
    }
    return 1;
}

void drawTile(const Tile& tile, int32_t x, int32_t y, Display& display) {
    display.drawSurface(tile.surface.get(), static_cast<int16_t>(x), static_cast<int16_t>(y),
                        static_cast<uint16_t>(tile.width), static_cast<uint16_t>(tile.height));
}

}  // namespace ocre
