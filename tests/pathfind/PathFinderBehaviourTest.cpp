#include "pathfind/PathFinderBehaviour.h"

#include <gtest/gtest.h>

#include "tests/pathfind/GridMaps.h"

namespace ocre {
namespace {

using test::gridMap;

struct Point {
    int32_t x;
    int32_t y;
};

void expectPoints(const Behaviour& b, Point previous, Point current) {
    EXPECT_EQ(b.previousX, previous.x);
    EXPECT_EQ(b.previousY, previous.y);
    EXPECT_EQ(b.currentX, current.x);
    EXPECT_EQ(b.currentY, current.y);
    EXPECT_EQ(b.previousZ, 0);
    EXPECT_EQ(b.currentZ, 0);
}

TEST(PathFinderBehaviour, StartsAtTheStartCellNumbersNotPixels) {
    auto map = gridMap({"...", "...", "..."});
    PathFinderBehaviour behaviour(2, 1, 0, 0, *map);
    expectPoints(behaviour, {2, 1}, {2, 1});
    EXPECT_EQ(behaviour.waypointCount(), 3u);
    ASSERT_NE(behaviour.path(), nullptr);
    EXPECT_EQ(behaviour.path()->waypointCount(), 3u);
}

TEST(PathFinderBehaviour, PlaysTheWaypointsOnceThenStops) {
    auto map = gridMap({"...", "...", "..."});
    PathFinderBehaviour behaviour(0, 0, 2, 2, *map);
    EXPECT_TRUE(behaviour.advance());
    expectPoints(behaviour, {0, 0}, {16, -16});
    EXPECT_TRUE(behaviour.advance());
    expectPoints(behaviour, {16, -16}, {48, 16});
    EXPECT_TRUE(behaviour.advance());
    expectPoints(behaviour, {48, 16}, {80, 48});
    // Used up: false from now on, standing on the last waypoint.
    EXPECT_FALSE(behaviour.advance());
    expectPoints(behaviour, {80, 48}, {80, 48});
    EXPECT_FALSE(behaviour.advance());
    expectPoints(behaviour, {80, 48}, {80, 48});
}

TEST(PathFinderBehaviour, FirstStepIsMeasuredFromTheCellNumbers) {
    auto map = gridMap({"...", "...", "..."});
    PathFinderBehaviour behaviour(2, 2, 1, 1, *map);
    ASSERT_TRUE(behaviour.advance());
    // From (2, 2) to the first waypoint (80, 48): right and down, not still.
    EXPECT_EQ(behaviour.stepRight(), 78);
    EXPECT_EQ(behaviour.stepDown(), 46);
}

TEST(PathFinderBehaviour, NoRouteEndsAtTheFirstAdvance) {
    auto map = gridMap({".#.", "##.", "..."});
    PathFinderBehaviour behaviour(0, 0, 2, 2, *map);
    EXPECT_EQ(behaviour.waypointCount(), 0u);
    EXPECT_FALSE(behaviour.advance());
    EXPECT_FALSE(behaviour.advance());
}

TEST(PathFinderBehaviour, StartOnTheGoalGivesItsOwnCellOnce) {
    auto map = gridMap({"#"}, 10, 20);
    PathFinderBehaviour behaviour(0, 0, 0, 0, *map);
    EXPECT_EQ(behaviour.waypointCount(), 1u);
    EXPECT_TRUE(behaviour.advance());
    expectPoints(behaviour, {0, 0}, {5, -10});
    EXPECT_FALSE(behaviour.advance());
}

}  // namespace
}  // namespace ocre
