#include "data/Map.h"

#include <algorithm>

#include "core/Fatal.h"
#include "core/LittleEndian.h"
#include "data/DataFile.h"

namespace ocre {

namespace {

constexpr const char* kNoMemoryForTable = "pas assez de memoire pour allouer le tableau des correspondances ";
constexpr const char* kNoMemoryForMap = "pas assez de memoire pour allouer la MAP ";
constexpr const char* kNonConforming = "fichier non conforme";


// Positions, pixel sizes and the divisions of the queries are signed 32-bit.
constexpr uint64_t kMaxPixelExtent = INT32_MAX;

// A header field the file does not hold entirely keeps `missing`.
uint32_t headerWord(const uint8_t* header, size_t got, size_t offset, uint32_t missing) {
    return got >= offset + 4 ? decodeU32(header + offset) : missing;
}

uint8_t headerByte(const uint8_t* header, size_t got, size_t offset, uint8_t missing) {
    return got >= offset + 1 ? header[offset] : missing;
}

bool saneSizes(uint64_t cols, uint64_t rows, uint64_t tileWidth, uint64_t tileHeight) {
    return tileWidth != 0 && tileHeight != 0 && tileWidth <= kMaxPixelExtent && tileHeight <= kMaxPixelExtent &&
           cols * tileWidth <= kMaxPixelExtent && rows * tileHeight <= kMaxPixelExtent &&
           cols * rows <= kMaxMapCells;
}

}  // namespace

Map::Map(const char* tileFileName) { readTileTable(tileFileName, readTileWithoutImage); }

void Map::readTileTable(const char* tileFileName, int (*readRecord)(Tile&, std::FILE*)) {
    uint32_t tileCount = 0;
    {
        DataFile counting(tileFileName);
        while (skipTile(counting.handle()) == 1) ++tileCount;
    }

    DataFile file(tileFileName);
    file.allocateOrDie(kNoMemoryForTable, [&] {
        tiles_.resize(tileCount);
        for (auto& tile : tiles_) tile = std::make_unique<Tile>();
    });
    for (auto& tile : tiles_) readRecord(*tile, file.handle());
}

Map::Map(std::vector<std::unique_ptr<Tile>> tiles) : tiles_(std::move(tiles)) {}

void Map::load(const char* mapFileName) {
    DataFile file(mapFileName);

    uint8_t header[kMapHeaderBytes] = {};
    const size_t got = file.readBytes(header, sizeof header);
    cols_ = headerWord(header, got, kMapColsOffset, 0);
    rows_ = headerWord(header, got, kMapRowsOffset, 0);
    tileWidth_ = headerWord(header, got, kMapTileWidthOffset, 0);
    tileHeight_ = headerWord(header, got, kMapTileHeightOffset, 0);
    headerA_ = headerByte(header, got, kMapHeaderAOffset, headerA_);
    headerB_ = headerByte(header, got, kMapHeaderBOffset, headerB_);
    headerC_ = headerByte(header, got, kMapHeaderCOffset, headerC_);
    headerD_ = headerWord(header, got, kMapHeaderDOffset, 0);
    headerE_ = headerByte(header, got, kMapHeaderEOffset, headerE_);

    // Refused before anything is allocated: a zero tile size has no cell to
    // probe or draw, and sizes no map can mean would only exhaust memory.
    if (!saneSizes(cols_, rows_, tileWidth_, tileHeight_)) {
        file.close();
        fatal(kNonConforming);
    }
    pixelWidth_ = cols_ * tileWidth_;
    pixelHeight_ = tileHeight_ * rows_;

    const size_t cells = static_cast<size_t>(cols_) * rows_;
    std::vector<uint8_t> indices;
    std::vector<const Tile*> grid;
    // Indices the file stops short of stay 0: the first tile.
    file.allocateOrDie(kNoMemoryForMap, [&] { indices.assign(cells * kMapCellBytes, 0); });
    file.readBytes(indices.data(), indices.size());
    file.allocateOrDie(kNoMemoryForMap, [&] { grid.resize(cells); });

    for (size_t i = 0; i < cells; ++i) {
        const uint16_t index = decodeU16(&indices[i * kMapCellBytes]);
        if (index >= tiles_.size()) {
            file.close();
            fatal(kNonConforming);
        }
        grid[i] = tiles_[index].get();
    }
    grid_ = std::move(grid);
    file.close();
}

bool Map::setGrid(uint32_t cols, uint32_t rows, uint32_t tileWidth, uint32_t tileHeight,
                  const std::vector<uint16_t>& indices) {
    if (cols == 0 || rows == 0 || !saneSizes(cols, rows, tileWidth, tileHeight)) return false;
    if (indices.size() != static_cast<size_t>(cols) * rows) return false;
    for (uint16_t index : indices)
        if (index >= tiles_.size()) return false;

    std::vector<const Tile*> grid(indices.size());
    for (size_t i = 0; i < indices.size(); ++i) grid[i] = tiles_[indices[i]].get();
    grid_ = std::move(grid);
    cols_ = cols;
    rows_ = rows;
    tileWidth_ = tileWidth;
    tileHeight_ = tileHeight;
    pixelWidth_ = cols * tileWidth;
    pixelHeight_ = tileHeight * rows;
    return true;
}

bool Map::isWalkable(uint32_t x, uint32_t y, uint32_t frameHeight, int32_t dx, int32_t dy) const {
    if (tileWidth_ == 0 || tileHeight_ == 0) return false;
    // The probe is the frame's left edge at its vertical middle; the sums
    // wrap as the actors' unsigned positions do and are then taken signed.
    const auto probeX = static_cast<int32_t>(x + static_cast<uint32_t>(dx));
    const auto probeY = static_cast<int32_t>(frameHeight / 2 + y + static_cast<uint32_t>(dy));
    // Tile sizes are at most INT32_MAX, so the quotients fit in 32 bits.
    const auto col = static_cast<int32_t>(std::max<int64_t>(int64_t{probeX} / tileWidth_, 0));
    const auto row = static_cast<int32_t>(std::max<int64_t>(int64_t{probeY} / tileHeight_, 0));
    // Beyond the right or bottom edge there is no cell to walk on.
    return cellWalkable(col, row);
}

bool Map::cellWalkable(int32_t col, int32_t row) const {
    if (col < 0 || row < 0) return false;
    const Tile* tile = cell(static_cast<uint32_t>(col), static_cast<uint32_t>(row));
    return tile != nullptr && tile->walkable == kTileFlagSet;
}

const Tile* Map::cell(uint32_t col, uint32_t row) const {
    if (col >= cols_ || row >= rows_) return nullptr;
    const size_t i = static_cast<size_t>(row) * cols_ + col;
    return i < grid_.size() ? grid_[i] : nullptr;
}

}  // namespace ocre
