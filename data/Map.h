#pragma once
// The playing field: a grid of cells, each showing one tile of the tile
// table. Built in two steps: the tile file (construction), then the map
// file (load).
//
// Map file (little-endian, packed): u32 cols, u32 rows, u32 tile width,
// u32 tile height, bytes A B C, u32 D at offset 19, byte E, then
// cols*rows u16 tile indices row by row.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/Tile.h"

namespace ocre {

class Display;

constexpr size_t kMapHeaderBytes = 24;
constexpr size_t kMapColsOffset = 0;
constexpr size_t kMapRowsOffset = 4;
constexpr size_t kMapTileWidthOffset = 8;
constexpr size_t kMapTileHeightOffset = 12;
constexpr size_t kMapHeaderAOffset = 16;
constexpr size_t kMapHeaderBOffset = 17;
constexpr size_t kMapHeaderCOffset = 18;
constexpr size_t kMapHeaderDOffset = 19;  // packed: right after byte C, not aligned
constexpr size_t kMapHeaderEOffset = 23;
constexpr size_t kMapCellBytes = 2;

// No map of this game comes near this many cells; a header asking for more
// is damaged, and is refused rather than given the memory it claims.
constexpr uint64_t kMaxMapCells = uint64_t{1} << 22;

// Whether the tile table keeps the tiles' images, or only their sizes and
// flags: enough to walk and search the map, with no display needed.
enum class TileImages { Load, Skip };

class Map {
public:
    // Loads the tile table from the tile file (fatal on failure).
    Map(const char* tileFileName, Display* display, TileImages images = TileImages::Load);
    // The same with sizes and flags only, as TileImages::Skip: enough to walk
    // and search the map, and without the video library.
    explicit Map(const char* tileFileName);
    // A map built in memory (tools and tests): the given tiles, no display.
    explicit Map(std::vector<std::unique_ptr<Tile>> tiles);

    // Fills the grid from the map file (fatal on failure). Indices the file
    // stops short of are 0; a zero tile size or sizes beyond kMaxMapCells or
    // the signed 32-bit pixel range are refused as non-conforming.
    void load(const char* mapFileName);
    // Fills the grid in memory: indices row by row; false (and nothing
    // changed) if an index is not below the tile count or a size is 0.
    bool setGrid(uint32_t cols, uint32_t rows, uint32_t tileWidth, uint32_t tileHeight,
                 const std::vector<uint16_t>& indices);

    // Walkability of the cell under the probe point of a frame of the given
    // height at (x, y), moved by (dx, dy): its left edge, vertical middle.
    // A probe left of or above the map is moved onto its first column or
    // row; one beyond its right or bottom edge is not walkable.
    bool isWalkable(uint32_t x, uint32_t y, uint32_t frameHeight, int32_t dx, int32_t dy) const;
    // Whether (col, row) is inside the grid and shows a walkable tile.
    bool cellWalkable(int32_t col, int32_t row) const;
    // The tile of a cell inside the grid, or null.
    const Tile* cell(uint32_t col, uint32_t row) const;

    // Draws the map cells under the view whose top-left map pixel is
    // (viewX, viewY) so that it lands at (screenX, screenY); nothing without
    // a display.
    void drawWindow(int32_t viewX, int32_t viewY, int32_t screenX, int32_t screenY, int32_t viewWidth,
                    int32_t viewHeight) const;

    uint32_t pixelWidth() const { return pixelWidth_; }
    uint32_t pixelHeight() const { return pixelHeight_; }
    uint32_t cols() const { return cols_; }
    uint32_t rows() const { return rows_; }
    uint32_t tileWidth() const { return tileWidth_; }
    uint32_t tileHeight() const { return tileHeight_; }
    uint32_t tileCount() const { return static_cast<uint32_t>(tiles_.size()); }
    const Tile* tile(uint32_t index) const { return index < tiles_.size() ? tiles_[index].get() : nullptr; }
    uint8_t headerA() const { return headerA_; }
    uint8_t headerB() const { return headerB_; }
    uint8_t headerC() const { return headerC_; }
    uint32_t headerD() const { return headerD_; }
    uint8_t headerE() const { return headerE_; }

private:
    void readTileTable(const char* tileFileName, int (*readRecord)(Tile&, std::FILE*));

    Display* display_ = nullptr;
    uint32_t pixelWidth_ = 0;
    uint32_t pixelHeight_ = 0;
    uint32_t cols_ = 0;
    uint32_t rows_ = 0;
    uint32_t tileWidth_ = 0;
    uint32_t tileHeight_ = 0;
    uint8_t headerA_ = 0;
    uint8_t headerB_ = 0;
    uint8_t headerC_ = 0;
    uint32_t headerD_ = 0;
    uint8_t headerE_ = 0;
    std::vector<const Tile*> grid_;              // cols*rows, row by row; shared with tiles_
    std::vector<std::unique_ptr<Tile>> tiles_;  // the tile table, owned
};

}  // namespace ocre
