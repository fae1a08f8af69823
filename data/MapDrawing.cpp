// The map's images: the tile table read with its pictures, and the cells
// drawn on the display. Kept apart from the grid so that a program which
// only walks maps links no video library.

#include <algorithm>

#include "data/Map.h"
#include "gfx/Display.h"

namespace ocre {

Map::Map(const char* tileFileName, Display* display, TileImages images) : display_(display) {
    readTileTable(tileFileName, images == TileImages::Load ? readTile : readTileWithoutImage);
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
