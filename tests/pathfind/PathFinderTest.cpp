#include "pathfind/PathFinder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "data/Map.h"
#include "tests/pathfind/GridMaps.h"
#include "tests/pathfind/LiteralAStar.h"

namespace ocre {
namespace {

using test::gridMap;
using Cells = std::vector<CellPosition>;

std::string describe(const Cells& cells) {
    std::string text;
    for (const CellPosition& c : cells) text += "(" + std::to_string(c.col) + "," + std::to_string(c.row) + ")";
    return text.empty() ? "no route" : text;
}

Cells route(const Map& map, int32_t sc, int32_t sr, int32_t gc, int32_t gr) { return findCells(sc, sr, gc, gr, map); }

// A route must be made of single steps between walkable cells, never
// cutting a corner, from the start to the goal.
::testing::AssertionResult isWalkableRoute(const Map& map, const Cells& cells, CellPosition start,
                                           CellPosition goal) {
    if (cells.empty()) return ::testing::AssertionSuccess();
    if (cells.front() != start || cells.back() != goal) return ::testing::AssertionFailure() << "wrong ends";
    for (size_t i = 1; i < cells.size(); ++i) {
        const CellPosition a = cells[i - 1];
        const CellPosition b = cells[i];
        const int dc = b.col - a.col;
        const int dr = b.row - a.row;
        if (std::abs(dc) > 1 || std::abs(dr) > 1 || (dc == 0 && dr == 0))
            return ::testing::AssertionFailure() << "not a single step at " << i;
        if (!map.cellWalkable(b.col, b.row)) return ::testing::AssertionFailure() << "blocked cell at " << i;
        if (dc != 0 && dr != 0 && (!map.cellWalkable(a.col + dc, a.row) || !map.cellWalkable(a.col, a.row + dr)))
            return ::testing::AssertionFailure() << "corner cut at " << i;
    }
    return ::testing::AssertionSuccess();
}

TEST(PathFinderRoutes, OpenThreeByThreeGoesStraightAlongTheDiagonal) {
    auto map = gridMap({"...", "...", "..."});
    EXPECT_EQ(describe(route(*map, 0, 0, 2, 2)), "(0,0)(1,1)(2,2)");
    const Waypoints w = findPath(0, 0, 2, 2, *map);
    EXPECT_EQ(w.xs, (std::vector<int32_t>{16, 48, 80}));
    EXPECT_EQ(w.ys, (std::vector<int32_t>{-16, 16, 48}));
}

TEST(PathFinderRoutes, BlockedSideCellForbidsTheDiagonalStep) {
    auto map = gridMap({".#.", "...", "..."});
    EXPECT_EQ(describe(route(*map, 0, 0, 1, 1)), "(0,0)(0,1)(1,1)");
    // Any tile whose walkable byte is not exactly 1 blocks as well.
    auto odd = gridMap({".x.", "...", "..."});
    EXPECT_EQ(describe(route(*odd, 0, 0, 1, 1)), "(0,0)(0,1)(1,1)");
}

TEST(PathFinderRoutes, OpenFiveByFiveTakesTheDiagonalStepsFirst) {
    auto map = gridMap({".....", ".....", ".....", ".....", "....."});
    EXPECT_EQ(describe(route(*map, 0, 0, 4, 2)), "(0,0)(1,1)(2,2)(3,2)(4,2)");
}

TEST(PathFinderRoutes, WaypointsUseTheTileSizeWithHalvesTruncated) {
    auto map = gridMap({"...", "..."}, 5, 7);
    const Waypoints w = findPath(0, 1, 2, 0, *map);
    // (0,1) (1,0) (2,0): x = 5/2 + col*5, y = row*7 - 7/2.
    EXPECT_EQ(w.xs, (std::vector<int32_t>{2, 7, 12}));
    EXPECT_EQ(w.ys, (std::vector<int32_t>{4, -3, -3}));
}

TEST(PathFinderRoutes, StartEqualToGoalIsOneWaypointWalkableOrNot) {
    auto map = gridMap({".#", ".."});
    EXPECT_EQ(describe(route(*map, 0, 0, 0, 0)), "(0,0)");
    EXPECT_EQ(describe(route(*map, 1, 0, 1, 0)), "(1,0)");
    const Waypoints outside = findPath(-1, 3, -1, 3, *map);
    EXPECT_EQ(outside.xs, (std::vector<int32_t>{-16}));
    EXPECT_EQ(outside.ys, (std::vector<int32_t>{80}));
}

TEST(PathFinderRoutes, SearchMayLeaveABlockedOrOutsideStartCell) {
    auto map = gridMap({"#..", "...", "..."});
    EXPECT_EQ(describe(route(*map, 0, 0, 2, 0)), "(0,0)(1,0)(2,0)");
    EXPECT_EQ(describe(route(*map, -1, 1, 1, 1)), "(-1,1)(0,1)(1,1)");
    // Far outside, nothing is next to the start: no route, and no overflow.
    EXPECT_TRUE(route(*map, INT32_MIN, INT32_MAX, 1, 1).empty());
    EXPECT_TRUE(route(*map, INT32_MAX, INT32_MIN, 1, 1).empty());
}

TEST(PathFinderRoutes, UnreachableGoalsGiveNoWaypoints) {
    auto map = gridMap({"....#...", "....#.#.", "....#...", "#####..."});
    EXPECT_TRUE(route(*map, 0, 0, 4, 1).empty()) << "blocked goal";
    EXPECT_TRUE(route(*map, 0, 0, 8, 0).empty()) << "goal right of the map";
    EXPECT_TRUE(route(*map, 0, 0, -1, 0).empty()) << "goal left of the map";
    EXPECT_TRUE(route(*map, 0, 0, INT32_MAX, INT32_MIN).empty()) << "goal far away";
    EXPECT_TRUE(route(*map, 0, 0, 6, 0).empty()) << "walled off";
    EXPECT_TRUE(route(*map, 6, 0, 0, 0).empty()) << "walled off, other way";
    EXPECT_TRUE(findPath(0, 0, 6, 0, *map).xs.empty());
    EXPECT_TRUE(findPath(0, 0, 6, 0, *map).ys.empty());
}

TEST(PathFinderRoutes, CornerRuleCanWallOffAGoal) {
    // (1,1) touches (0,0) only across the corner of two blocked cells.
    auto map = gridMap({".#", "#."});
    EXPECT_TRUE(route(*map, 0, 0, 1, 1).empty());
}

TEST(PathFinderRoutes, ClosedCellReachedAgainMoreCheaplyIsSearchedAgain) {
    auto map = gridMap({"...", ".#.", "...", "#..", "..."});
    // (1,3) is first reached down the left side and closed with g 50; the
    // diagonal from (2,2) reaches it again with g 44, and the route then
    // goes through it from the right. Without the re-opening the route
    // would stay on the left: (1,0)(0,0)(0,1)(0,2)(1,2)(1,3)(1,4)(0,4).
    EXPECT_EQ(describe(route(*map, 1, 0, 0, 4)), "(1,0)(2,0)(2,1)(2,2)(1,3)(1,4)(0,4)");
}

// Small random maps, random starts and goals in and around them: the search
// must give the same cells as the plain reading of the game's rules.
TEST(PathFinderAgreesWithLiteralSearch, OnRandomSmallMaps) {
    std::mt19937 random(20240611);
    const double shares[] = {0.0, 0.1, 0.25, 0.4, 0.55};
    test::LiteralSearchCounts counts;
    int routes = 0;
    for (int mapNumber = 0; mapNumber < 300; ++mapNumber) {
        const int cols = std::uniform_int_distribution<int>(1, 14)(random);
        const int rows = std::uniform_int_distribution<int>(1, 14)(random);
        const double share = shares[mapNumber % 5];
        const std::vector<std::string> text = test::randomRows(random, cols, rows, share);
        auto map = gridMap(text);
        std::uniform_int_distribution<int> col(-1, cols);
        std::uniform_int_distribution<int> row(-1, rows);
        for (int query = 0; query < 12; ++query) {
            const CellPosition start{col(random), row(random)};
            const CellPosition goal{col(random), row(random)};
            const Cells expected = test::literalFindCells(start, goal, *map, &counts);
            const Cells actual = findCells(start.col, start.row, goal.col, goal.row, *map);
            ASSERT_EQ(describe(actual), describe(expected))
                << "map " << mapNumber << " from " << describe({start}) << " to " << describe({goal});
            ASSERT_TRUE(isWalkableRoute(*map, actual, start, goal));
            if (!actual.empty()) ++routes;
        }
    }
    // The sample must exercise the paths where the two could part ways.
    EXPECT_GT(routes, 1000);
    EXPECT_GT(counts.closedReopened, 0);
    EXPECT_GT(counts.openReplaced, 0);
}

TEST(PathFinderAgreesWithLiteralSearch, OnLargerMapsWithLongOpenLists) {
    std::mt19937 random(77);
    test::LiteralSearchCounts counts;
    for (int mapNumber = 0; mapNumber < 8; ++mapNumber) {
        const int cols = 48;
        const int rows = 40;
        auto map = gridMap(test::randomRows(random, cols, rows, 0.05 * mapNumber));
        std::uniform_int_distribution<int> col(0, cols - 1);
        std::uniform_int_distribution<int> row(0, rows - 1);
        for (int query = 0; query < 4; ++query) {
            const CellPosition start{col(random), row(random)};
            const CellPosition goal{col(random), row(random)};
            const Cells expected = test::literalFindCells(start, goal, *map, &counts);
            ASSERT_EQ(describe(findCells(start.col, start.row, goal.col, goal.row, *map)), describe(expected))
                << "map " << mapNumber << " from " << describe({start}) << " to " << describe({goal});
        }
    }
    EXPECT_GT(counts.openReplaced, 0);
}

}  // namespace
}  // namespace ocre
