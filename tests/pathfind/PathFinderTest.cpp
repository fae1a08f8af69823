#include "pathfind/PathFinder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/pathfind/GridMaps.h"

namespace ocre {
namespace {

using test::gridMap;

std::string describe(const std::vector<CellPosition>& cells) {
    std::string text;
    for (const CellPosition& c : cells) text += "(" + std::to_string(c.col) + "," + std::to_string(c.row) + ")";
    return text.empty() ? "no route" : text;
}

TEST(PathFinder, FindsTheGameRoutesOnHandMadeMaps) {
    const std::vector<std::string> open3 = {"...", "...", "..."};
    const std::vector<std::string> walled = {"....#...", "....#.#.", "....#...", "#####..."};
    struct Row { const char* what; std::vector<std::string> map; CellPosition start, goal; const char* cells; };
    const std::vector<Row> rows = {
        {"open 3x3", open3, {0, 0}, {2, 2}, "(0,0)(1,1)(2,2)"},
        {"blocked side cell forbids the diagonal", {".#.", "...", "..."}, {0, 0}, {1, 1}, "(0,0)(0,1)(1,1)"},
        {"walkable byte 2 blocks too", {".x.", "...", "..."}, {0, 0}, {1, 1}, "(0,0)(0,1)(1,1)"},
        {"corner rule walls the goal off", {".#", "#."}, {0, 0}, {1, 1}, "no route"},
        {"diagonal steps first", {".....", ".....", ".....", ".....", "....."}, {0, 0}, {4, 2},
         "(0,0)(1,1)(2,2)(3,2)(4,2)"},
        {"start = goal", {".#"}, {0, 0}, {0, 0}, "(0,0)"},
        {"start = goal on a blocked cell", {".#"}, {1, 0}, {1, 0}, "(1,0)"},
        {"blocked start", {"#..", "...", "..."}, {0, 0}, {2, 0}, "(0,0)(1,0)(2,0)"},
        {"start just outside", {"#..", "...", "..."}, {-1, 1}, {1, 1}, "(-1,1)(0,1)(1,1)"},
        {"start far outside", open3, {INT32_MIN, INT32_MAX}, {1, 1}, "no route"},
        {"blocked goal", walled, {0, 0}, {4, 1}, "no route"},
        {"goal right of the map", walled, {0, 0}, {8, 0}, "no route"},
        {"goal far away", walled, {0, 0}, {INT32_MAX, INT32_MIN}, "no route"},
        {"walled off", walled, {0, 0}, {6, 0}, "no route"},
        // (1,3) is first reached down the left side and closed with g 50;
        // the diagonal from (2,2) reaches it again with g 44. Without the
        // re-opening the route would stay on the left:
        // (1,0)(0,0)(0,1)(0,2)(1,2)(1,3)(1,4)(0,4).
        {"closed cell searched again", {"...", ".#.", "...", "#..", "..."}, {1, 0}, {0, 4},
         "(1,0)(2,0)(2,1)(2,2)(1,3)(1,4)(0,4)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(describe(findCells(row.start.col, row.start.row, row.goal.col, row.goal.row, *gridMap(row.map))),
                  row.cells);
    }
}

TEST(PathFinder, WaypointsLieMidColumnHalfATileAboveTheCell) {
    struct Row { const char* what; std::vector<std::string> map; uint32_t w, h; CellPosition start, goal;
                 std::vector<int32_t> xs, ys; };
    const std::vector<Row> rows = {
        {"open 3x3", {"...", "...", "..."}, 32, 32, {0, 0}, {2, 2}, {16, 48, 80}, {-16, 16, 48}},
        {"halves truncated", {"...", "..."}, 5, 7, {0, 1}, {2, 0}, {2, 7, 12}, {4, -3, -3}},
        {"start = goal outside the map", {".#", ".."}, 5, 7, {-1, 3}, {-1, 3}, {-3}, {18}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Waypoints w = findPath(row.start.col, row.start.row, row.goal.col, row.goal.row,
                                     *gridMap(row.map, row.w, row.h));
        EXPECT_EQ(std::make_pair(w.xs, w.ys), std::make_pair(row.xs, row.ys));
    }
}

}  // namespace
}  // namespace ocre
