#pragma once
// The yardstick for the path finder's speed: a textbook grid A* with the
// same moves, costs and estimate, per-cell arrays for costs, parents and
// the closed set, and a priority queue that skips stale entries. Its routes
// may differ from the game's on ties; only its speed matters.

#include <cstdint>
#include <vector>

#include "pathfind/PathFinder.h"

namespace ocre {

// walkable holds cols x rows bytes, row by row, non-zero where one may walk.
std::vector<CellPosition> gridAStar(CellPosition start, CellPosition goal, int cols, int rows,
                                    const std::vector<uint8_t>& walkable);

}  // namespace ocre
