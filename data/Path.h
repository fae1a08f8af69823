#pragma once
// A precomputed route of waypoints that an actor follows, optionally
// starting again after its last waypoint.
//
// File (little-endian, packed): u32 N, u8 loop flag, then N x values,
// N y values and N z values, each 32-bit signed.

#include <cstdint>
#include <vector>

#include "data/Behaviour.h"

namespace ocre {

constexpr uint64_t kPathHeaderBytes = 5;
constexpr uint64_t kPathCoordinateBytes = 4;
constexpr uint64_t kPathWaypointBytes = 3 * kPathCoordinateBytes;  // its x, y and z
// Any loop flag byte but 0 makes the route start again; writers put this.
constexpr uint8_t kPathLoops = 1;

class Path : public Behaviour {
public:
    // Loads the file (fatal on failure, and for a file shorter than its
    // waypoint count says).
    explicit Path(const char* fileName);
    // Takes over the arrays (the path finder's route): no z, no loop.
    Path(std::vector<int32_t> xs, std::vector<int32_t> ys);

    // The next waypoint; after the last one, the first again if the route
    // loops (the cursor stays at 0, so it comes twice), else false for good.
    // A route without waypoints never advances.
    bool advance() override;

    uint32_t waypointCount() const { return count_; }
    bool loops() const { return loop_ != 0; }
    uint32_t cursor() const { return cursor_; }
    const std::vector<int32_t>& xs() const { return xs_; }
    const std::vector<int32_t>& ys() const { return ys_; }
    const std::vector<int32_t>& zs() const { return zs_; }

private:
    // previous := current, current := waypoint index.
    void moveTo(uint32_t index);

    std::vector<int32_t> xs_, ys_, zs_;
    uint32_t count_ = 0;
    uint8_t loop_ = 0;
    uint32_t cursor_ = 0;
};

}  // namespace ocre
