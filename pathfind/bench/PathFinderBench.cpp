// Searches on 256 x 256 maps: the game's path finder against a textbook
// grid A* with per-cell arrays.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "data/Map.h"
#include "pathfind/PathFinder.h"
#include "pathfind/bench/GridAStar.h"

namespace ocre {
namespace {

constexpr int kSide = 256;
constexpr uint16_t kFloor = 0;
constexpr uint16_t kWall = 1;
constexpr uint32_t kTileSize = 32;

using Grid = std::vector<uint16_t>;  // kSide x kSide tile indices, row by row

std::unique_ptr<Map> mapOf(const Grid& grid) {
    std::vector<std::unique_ptr<Tile>> tiles;
    for (uint8_t walkable : {1, 0}) {
        tiles.push_back(std::make_unique<Tile>());
        tiles.back()->walkable = walkable;
    }
    auto map = std::make_unique<Map>(std::move(tiles));
    map->setGrid(kSide, kSide, kTileSize, kTileSize, grid);
    return map;
}

uint16_t& at(Grid& grid, int col, int row) { return grid[static_cast<size_t>(row) * kSide + col]; }

Grid openGrid() { return Grid(static_cast<size_t>(kSide) * kSide, kFloor); }

// An open map whose goal cell is ringed by walls: the search must explore
// every other cell before it gives up.
Grid walledOffGoalGrid(int goalCol, int goalRow) {
    Grid grid = openGrid();
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
            if (dc != 0 || dr != 0) at(grid, goalCol + dc, goalRow + dr) = kWall;
    return grid;
}

Grid randomObstacleGrid(double blockedShare, unsigned seed) {
    std::mt19937 random(seed);
    std::bernoulli_distribution blocked(blockedShare);
    Grid grid = openGrid();
    for (uint16_t& cell : grid) cell = blocked(random) ? kWall : kFloor;
    at(grid, 0, 0) = kFloor;
    at(grid, kSide - 1, kSide - 1) = kFloor;
    return grid;
}

// A perfect maze of one-cell corridors: rooms on even cells, carved by a
// depth-first walk, so there is exactly one route between two rooms.
Grid mazeGrid(unsigned seed) {
    std::mt19937 random(seed);
    Grid grid(static_cast<size_t>(kSide) * kSide, kWall);
    const int rooms = kSide / 2;
    std::vector<uint8_t> visited(static_cast<size_t>(rooms) * rooms, 0);
    std::vector<std::pair<int, int>> stack{{0, 0}};
    visited[0] = 1;
    at(grid, 0, 0) = kFloor;
    const int moves[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!stack.empty()) {
        const auto [rc, rr] = stack.back();
        std::vector<int> open;
        for (int m = 0; m < 4; ++m) {
            const int nc = rc + moves[m][0];
            const int nr = rr + moves[m][1];
            if (nc >= 0 && nc < rooms && nr >= 0 && nr < rooms && !visited[static_cast<size_t>(nr) * rooms + nc])
                open.push_back(m);
        }
        if (open.empty()) {
            stack.pop_back();
            continue;
        }
        const int m = open[std::uniform_int_distribution<size_t>(0, open.size() - 1)(random)];
        const int nc = rc + moves[m][0];
        const int nr = rr + moves[m][1];
        visited[static_cast<size_t>(nr) * rooms + nc] = 1;
        at(grid, 2 * rc + moves[m][0], 2 * rr + moves[m][1]) = kFloor;
        at(grid, 2 * nc, 2 * nr) = kFloor;
        stack.push_back({nc, nr});
    }
    return grid;
}

// The same maze with one room's openings walled up.
Grid sealedRoomMazeGrid(unsigned seed, int roomCol, int roomRow) {
    Grid grid = mazeGrid(seed);
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
            if (dc != 0 || dr != 0) at(grid, roomCol + dc, roomRow + dr) = kWall;
    return grid;
}

struct Query {
    CellPosition start;
    CellPosition goal;
};

template <typename Search>
void runSearch(benchmark::State& state, const Grid& grid, Query query, Search search) {
    const auto map = mapOf(grid);
    size_t cells = 0;
    for (auto _ : state) {
        auto route = search(query.start, query.goal, *map);
        cells = route.size();
        benchmark::DoNotOptimize(route.data());
    }
    state.counters["route_cells"] = static_cast<double>(cells);
}

std::vector<CellPosition> gridSearch(CellPosition start, CellPosition goal, const Map& map) {
    const int cols = static_cast<int>(map.cols());
    const int rows = static_cast<int>(map.rows());
    std::vector<uint8_t> walkable(static_cast<size_t>(cols) * rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) walkable[static_cast<size_t>(r) * cols + c] = map.cellWalkable(c, r);
    return gridAStar(start, goal, cols, rows, walkable);
}

std::vector<CellPosition> gameSearch(CellPosition start, CellPosition goal, const Map& map) {
    return findCells(start.col, start.row, goal.col, goal.row, map);
}

const Query kCornerToCorner{{0, 0}, {kSide - 2, kSide - 2}};
const Query kAcrossOpen{{3, 5}, {250, 190}};
const Query kToWalledOffGoal{{3, 5}, {200, 160}};
const Query kAcrossRandom{{0, 0}, {kSide - 1, kSide - 1}};
const Query kToSealedRoom{{0, 0}, {128, 128}};

const Grid& maze() {
    static const Grid grid = mazeGrid(7);
    return grid;
}
const Grid& sealedRoomMaze() {
    static const Grid grid = sealedRoomMazeGrid(7, kToSealedRoom.goal.col, kToSealedRoom.goal.row);
    return grid;
}
const Grid& open() {
    static const Grid grid = openGrid();
    return grid;
}
const Grid& walledOff() {
    static const Grid grid = walledOffGoalGrid(kToWalledOffGoal.goal.col, kToWalledOffGoal.goal.row);
    return grid;
}
const Grid& randomObstacles() {
    static const Grid grid = randomObstacleGrid(0.25, 3);
    return grid;
}

void BM_Game_Maze(benchmark::State& s) { runSearch(s, maze(), kCornerToCorner, gameSearch); }
void BM_Grid_Maze(benchmark::State& s) { runSearch(s, maze(), kCornerToCorner, gridSearch); }
void BM_Game_MazeSealedGoal(benchmark::State& s) { runSearch(s, sealedRoomMaze(), kToSealedRoom, gameSearch); }
void BM_Grid_MazeSealedGoal(benchmark::State& s) { runSearch(s, sealedRoomMaze(), kToSealedRoom, gridSearch); }
void BM_Game_Open(benchmark::State& s) { runSearch(s, open(), kAcrossOpen, gameSearch); }
void BM_Grid_Open(benchmark::State& s) { runSearch(s, open(), kAcrossOpen, gridSearch); }
void BM_Game_OpenWalledOffGoal(benchmark::State& s) { runSearch(s, walledOff(), kToWalledOffGoal, gameSearch); }
void BM_Grid_OpenWalledOffGoal(benchmark::State& s) { runSearch(s, walledOff(), kToWalledOffGoal, gridSearch); }
void BM_Game_RandomObstacles(benchmark::State& s) { runSearch(s, randomObstacles(), kAcrossRandom, gameSearch); }
void BM_Grid_RandomObstacles(benchmark::State& s) { runSearch(s, randomObstacles(), kAcrossRandom, gridSearch); }

BENCHMARK(BM_Game_Maze)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_Maze)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Game_MazeSealedGoal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_MazeSealedGoal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Game_Open)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_Open)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Game_OpenWalledOffGoal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_OpenWalledOffGoal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Game_RandomObstacles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_RandomObstacles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ocre

BENCHMARK_MAIN();
