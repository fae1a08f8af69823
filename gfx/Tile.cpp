#include "gfx/Tile.h"

#include <cstdio>

#include "core/Fatal.h"
#include "core/LittleEndian.h"

namespace ocre {

namespace {

constexpr size_t kSkipChunk = 64 * 1024;

}  // namespace

void readTileByte(std::FILE* file, uint8_t& out) {
    int c = std::fgetc(file);
    if (c != EOF) out = static_cast<uint8_t>(c);
}

bool readTileHeader(Tile& tile, std::FILE* file) {
    tile.width = 0;
    tile.height = 0;
    const bool widthRead = readLittleEndianInt32(file, tile.width);
    readLittleEndianInt32(file, tile.height);
    readTileByte(file, tile.spare1);
    readTileByte(file, tile.transparent);
    readTileByte(file, tile.spare2);
    readTileByte(file, tile.spare3);
    readTileByte(file, tile.walkable);
    return widthRead;
}

int readTileWithoutImage(Tile& tile, std::FILE* file) {
    const bool widthRead = readTileHeader(tile, file);
    if (tile.width > 0 && tile.height > 0) {
        std::fseek(file, static_cast<long>(int64_t{tile.width} * tile.height * kTileBytesPerPixel), SEEK_CUR);
    }
    return widthRead ? 1 : -1;
}

int skipTile(std::FILE* file) {
    int32_t width = 0;
    int32_t height = 0;
    readLittleEndianInt32(file, width);
    readLittleEndianInt32(file, height);
    unsigned char flags[kTileHeaderBytes - 2 * sizeof(int32_t)];
    if (std::fread(flags, 1, sizeof flags, file) != sizeof flags) return -1;
    // A record with no pixels ends the list; so does one whose sizes are
    // negative, which no surface can be made of.
    if (width <= 0 || height <= 0) return -1;

    static unsigned char scratch[kSkipChunk];
    uint64_t remaining = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * kTileBytesPerPixel;
    while (remaining > 0) {
        const size_t want = remaining < kSkipChunk ? static_cast<size_t>(remaining) : kSkipChunk;
        const size_t got = std::fread(scratch, 1, want, file);
        remaining -= got;
        if (got != want) return -1;
    }
    return 1;
}

}  // namespace ocre
