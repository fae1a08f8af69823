#pragma once
// The route to a clicked cell as a movement program: construction runs the
// whole search from the start cell to the goal cell, and each advance then
// yields the next waypoint in map pixels, false once they are used up.

#include <cstdint>
#include <memory>

#include "data/Behaviour.h"
#include "data/Path.h"

namespace ocre {

class Map;

class PathFinderBehaviour : public Behaviour {
public:
    PathFinderBehaviour(int32_t startCol, int32_t startRow, int32_t goalCol, int32_t goalRow, const Map& map);

    bool advance() override;

    uint32_t waypointCount() const { return waypointCount_; }
    // The waypoint follower, or null if it could not be created.
    const Path* path() const { return path_.get(); }

private:
    uint32_t waypointCount_ = 0;
    std::unique_ptr<Path> path_;
};

}  // namespace ocre
