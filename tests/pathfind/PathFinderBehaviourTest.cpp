#include "pathfind/PathFinderBehaviour.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/pathfind/GridMaps.h"

namespace ocre {
namespace {

std::vector<int32_t> points(const Behaviour& b) {
    return {b.previousX, b.previousY, b.previousZ, b.currentX, b.currentY, b.currentZ};
}

TEST(PathFinderBehaviour, PlaysTheRouteOneWaypointPerAdvance) {
    auto map = test::gridMap({"...", "...", "..."});
    PathFinderBehaviour behaviour(2, 1, 0, 0, *map);
    EXPECT_EQ(behaviour.waypointCount(), 3u);
    // Cell numbers, not pixels, before the first advance: the walking
    // animation measures the first step from them.
    EXPECT_EQ(points(behaviour), (std::vector<int32_t>{2, 1, 0, 2, 1, 0}));
    // The route (2,1) (1,0) (0,0), then false for good on the last waypoint.
    const std::vector<std::vector<int32_t>> afterEachAdvance = {
        {2, 1, 0, 80, 16, 0}, {80, 16, 0, 48, -16, 0}, {48, -16, 0, 16, -16, 0}, {16, -16, 0, 16, -16, 0},
        {16, -16, 0, 16, -16, 0}};
    for (size_t i = 0; i < afterEachAdvance.size(); ++i) {
        SCOPED_TRACE("advance " + std::to_string(i));
        EXPECT_EQ(behaviour.advance(), i < 3);
        EXPECT_EQ(points(behaviour), afterEachAdvance[i]);
    }

    auto walledOff = test::gridMap({".#."});
    PathFinderBehaviour nowhere(0, 0, 2, 0, *walledOff);
    EXPECT_TRUE(nowhere.waypointCount() == 0 && !nowhere.advance());
}

}  // namespace
}  // namespace ocre
