#pragma once
// Validating readers for the binary data files and DAT lists: they never
// stop the process, they describe what they read and list what is wrong
// (each problem a short sentence), for inspection and before loading.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/defaultset/PixelImage.h"

namespace ocre {

struct SpriteFileSummary {
    uint16_t frameCount = 0, frameDelay = 0, width = 0, height = 0;
    bool headerComplete = false;
    uint64_t expectedBytes = 0, actualBytes = 0;
    std::vector<PixelBox> boxes;    // as stored, for the frames whose box is present
    std::vector<PixelBox> visible;  // the tight box of each complete frame's visible pixels
    std::vector<bool> anyVisible;
    std::vector<std::string> problems;
};
SpriteFileSummary checkSpriteFile(const std::vector<uint8_t>& bytes);

struct TileSummary {
    int32_t width = 0, height = 0;
    uint8_t flags[5] = {0, 0, 0, 0, 0};
    bool transparent() const { return flags[1] == 1; }
    bool walkable() const { return flags[4] == 1; }
};
struct TileFileSummary {
    std::vector<TileSummary> tiles;  // the complete records the server counts
    uint64_t ignoredBytes = 0;       // after the last counted record
    std::vector<std::string> problems;
};
TileFileSummary checkTileFile(const std::vector<uint8_t>& bytes);

struct MapFileSummary {
    uint32_t cols = 0, rows = 0, tileWidth = 0, tileHeight = 0;
    uint8_t headerA = 0, headerB = 0, headerC = 0, headerE = 0;
    uint32_t headerD = 0;
    bool headerComplete = false;
    std::vector<uint16_t> cells;  // as many as the file holds, at most cols x rows
    uint64_t missingCells = 0;
    std::vector<std::string> problems;
};
// tileCount < 0: unknown, indices are not checked.
MapFileSummary checkMapFile(const std::vector<uint8_t>& bytes, int64_t tileCount);

struct PathFileSummary {
    uint32_t count = 0;
    uint8_t loopFlag = 0;
    bool headerComplete = false;
    std::vector<int32_t> xs, ys, zs;  // filled only when the file is complete
    std::vector<std::string> problems;
};
PathFileSummary checkPathFile(const std::vector<uint8_t>& bytes);

struct DatFileSummary {
    std::vector<std::string> names;
    std::vector<std::string> problems;
};
DatFileSummary checkDatFile(const std::vector<uint8_t>& bytes);

}  // namespace ocre
