#include "data/Map.h"

#include <algorithm>

#include "core/Fatal.h"
#include "core/LittleEndian.h"
#include "data/DataFile.h"
#include "gfx/Display.h"

namespace ocre {

namespace {

constexpr const char* kNoMemoryForTable = "pas assez de memoire pour allouer le tableau des correspondances ";
constexpr const char* kNoMemoryForMap = "pas assez de memoire pour allouer la MAP ";
constexpr const char* kNonConforming = "fichier non conforme";

constexpr size_t kMapHeaderBytes = 24;
constexpr size_t kColsOffset = 0;
constexpr size_t kRowsOffset = 4;
constexpr size_t kTileWidthOffset = 8;
constexpr size_t kTileHeightOffset = 12;
constexpr size_t kHeaderAOffset = 16;
constexpr size_t kHeaderBOffset = 17;
constexpr size_t kHeaderCOffset = 18;
constexpr size_t kHeaderDOffset = 19;  // packed: right after byte C, not aligned
constexpr size_t kHeaderEOffset = 23;
constexpr size_t kIndexBytes = 2;

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

Map::Map(const char* tileFileName, Display* display, TileImages images) : display_(display) {
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
    for (auto& tile : tiles_) {
        if (images == TileImages::Load) {
            readTile(*tile, file.handle());
        } else {
            readTileWithoutImage(*tile, file.handle());
        }
    }
}

Map::Map(std::vector<std::unique_ptr<Tile>> tiles) : tiles_(std::move(tiles)) {}

void Map::load(const char* mapFileName) {
    DataFile file(mapFileName);

    uint8_t header[kMapHeaderBytes] = {};
    const size_t got = file.readBytes(header, sizeof header);
    cols_ = headerWord(header, got, kColsOffset, 0);
    rows_ = headerWord(header, got, kRowsOffset, 0);
    tileWidth_ = headerWord(header, got, kTileWidthOffset, 0);
    tileHeight_ = headerWord(header, got, kTileHeightOffset, 0);
    headerA_ = headerByte(header, got, kHeaderAOffset, headerA_);
    headerB_ = headerByte(header, got, kHeaderBOffset, headerB_);
    headerC_ = headerByte(header, got, kHeaderCOffset, headerC_);
    headerD_ = headerWord(header, got, kHeaderDOffset, 0);
    headerE_ = headerByte(header, got, kHeaderEOffset, headerE_);

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
    file.allocateOrDie(kNoMemoryForMap, [&] { indices.assign(cells * kIndexBytes, 0); });
    file.readBytes(indices.data(), indices.size());
    file.allocateOrDie(kNoMemoryForMap, [&] { grid.resize(cells); });

    for (size_t i = 0; i < cells; ++i) {
        const uint16_t index = decodeU16(&indices[i * kIndexBytes]);
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
    return tile != nullptr && tile->walkable == 1;
}

const Tile* Map::cell(uint32_t col, uint32_t row) const {
    if (col >= cols_ || row >= rows_) return nullptr;
    const size_t i = static_cast<size_t>(row) * cols_ + col;
    return i < grid_.size() ? grid_[i] : nullptr;
}

void Map::drawWindow(int32_t viewX, int32_t viewY, int32_t screenX, int32_t screenY, int32_t viewWidth,
                     int32_t viewHeight) const {
    if (display_ == nullptr || tileWidth_ == 0 || tileHeight_ == 0) return;
    if (grid_.size() != static_cast<size_t>(cols_) * rows_) return;
    const int64_t tw = tileWidth_;
    const int64_t th = tileHeight_;
    const int64_t cols = cols_;
    const int64_t rows = rows_;

    const int64_t firstCol = viewX / tw;
    const int64_t firstRow = viewY / th;
    const int64_t offsetX = viewX % tw;
    const int64_t offsetY = viewY % th;
    const int64_t nCols = viewWidth / tw + (viewWidth % tw != 0 ? 1 : 0);
    const int64_t nRows = viewHeight / th + (viewHeight % th != 0 ? 1 : 0);
    // Inclusive bounds: one more column and row than the view spans, so a
    // view whose origin is not on a tile boundary is covered completely.
    const int64_t lastRow = firstRow + (firstRow + nRows < rows ? nRows : rows - firstRow);
    const int64_t lastCol = firstCol + (firstCol + nCols < cols ? nCols : cols - firstCol);
    if (firstRow > lastRow) return;

    // Only cells of the map are drawn: a column past the right edge would
    // otherwise show the first cell of the next row, and a view left of or
    // above the map would reach before the grid.
    const int64_t fromRow = std::max<int64_t>(firstRow, 0);
    const int64_t toRow = std::min<int64_t>(lastRow, rows - 1);
    const int64_t fromCol = std::max<int64_t>(firstCol, 0);
    const int64_t toCol = std::min<int64_t>(lastCol, cols - 1);
    for (int64_t row = fromRow; row <= toRow; ++row) {
        for (int64_t col = fromCol; col <= toCol; ++col) {
            const Tile* tile = grid_[static_cast<size_t>(row * cols + col)];
            if (tile == nullptr) continue;
            const auto x = static_cast<int32_t>(screenX + (col - firstCol) * tw - offsetX);
            const auto y = static_cast<int32_t>(screenY + (row - firstRow) * th - offsetY);
            drawTile(*tile, x, y, *display_);
        }
    }
}

}  // namespace ocre
