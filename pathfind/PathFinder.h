#pragma once
// A* over the cells of a map: eight directions, a diagonal step only when
// both cells beside it are walkable, costs 10 straight and 14 diagonal, and
// ten times the Manhattan distance as the estimate. The search runs to the
// end in one call; a route holds the start cell and the goal cell.
//
// The search reads the map through the process-wide current search map, so
// two searches must never run at the same time (main thread only).

#include <cstdint>
#include <vector>

namespace ocre {

class Map;

struct CellPosition {
    int32_t col = 0;
    int32_t row = 0;
    bool operator==(const CellPosition& other) const { return col == other.col && row == other.row; }
    bool operator!=(const CellPosition& other) const { return !(*this == other); }
};

// Waypoints in map pixels: x in the middle of the cell's column, y half a
// tile above the cell's top edge. Both empty when there is no route.
struct Waypoints {
    std::vector<int32_t> xs;
    std::vector<int32_t> ys;
};

// The cells of the route from start to goal, both included; empty when the
// goal cannot be reached. Start = goal gives that one cell, walkable or not.
std::vector<CellPosition> findCells(int32_t startCol, int32_t startRow, int32_t goalCol, int32_t goalRow,
                                    const Map& map);

// The same route turned into waypoints with the map's tile size.
Waypoints findPath(int32_t startCol, int32_t startRow, int32_t goalCol, int32_t goalRow, const Map& map);

}  // namespace ocre
