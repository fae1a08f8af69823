#include "pathfind/PathFinderBehaviour.h"

#include <new>
#include <utility>

#include "pathfind/PathFinder.h"

namespace ocre {

PathFinderBehaviour::PathFinderBehaviour(int32_t startCol, int32_t startRow, int32_t goalCol, int32_t goalRow,
                                         const Map& map) {
    // Cell numbers, not pixels: the first advance compares the first
    // waypoint with them, and the walking animation depends on it.
    previousX = currentX = startCol;
    previousY = currentY = startRow;
    previousZ = currentZ = 0;
    Waypoints route = findPath(startCol, startRow, goalCol, goalRow, map);
    waypointCount_ = static_cast<uint32_t>(route.xs.size());
    path_.reset(new (std::nothrow) Path(std::move(route.xs), std::move(route.ys)));
}

bool PathFinderBehaviour::advance() {
    if (!path_) return false;
    const bool advanced = path_->advance();
    previousX = currentX;
    previousY = currentY;
    currentX = path_->currentX;
    currentY = path_->currentY;
    return advanced;
}

}  // namespace ocre
