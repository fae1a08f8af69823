#include "tools/defaultset/WorldLayout.h"

#include "tools/defaultset/TileArt.h"

namespace ocre {
namespace {

constexpr int kCols = 40;
constexpr int kRows = 30;

// # wall, ~ water, = bridge, : path, . grass, * flowers, m meadow, T tree.
constexpr const char* kLayout[kRows] = {
    "########################################",
    "#TT........................~~~.......TT#",
    "#T..........................~~~*......T#",
    "#.########..::::::::::......~~~.::::::.#",
    "#.#::::::#..:mmmm*mmm:.......~~~...:...#",
    "#.#::::::#..:m*mmmmm*:.......~~~...:...#",
    "#.#::::::#..:mmmmm*mm:.......~~~.TT:...#",
    "#.#::::::#..:mm*mmm*m:......~~~..TT:...#",
    "#.#::::::#..:*mmmmmmm:......~~~....:...#",
    "#.###::###..::::::::::.....~~~*....:...#",
    "#....:..........:..........~~~.....:...#",
    "#....:..........:.....*...~~~.....*:...#",
    "#...*:..........:.........~~~......:...#",
    "#:::::::::::::::::::::::::===::::::::::#",
    "#...............:..........~~~.....*...#",
    "#...............:...*......~~~.........#",
    "#..........T....:......T....~~~........#",
    "#.........T.....:.....T.....~~~........#",
    "#...~~~~........:............~~~TT.T.T.#",
    "#...~~~~........:............~~~..T.T..#",
    "#..~~~~~~.......:.......*...~~~..T.....#",
    "#..~~~~~~..*....:...........~~~....T.T.#",
    "#..~~~~~~.......:..........~~~.........#",
    "#..~~~~~~....::::::::......~~~......T..#",
    "#...~~~~.....::::::::......~~~....T....#",
    "#...~~~~.....::::::::...T.~~~.........T#",
    "#.........T..::::::::.....~~~...T......#",
    "#TT.........*.............*~~~......T.T#",
    "#..........................~~~.........#",
    "########################################",
};

// The ring of path cells around the meadow.
constexpr int kRingLeft = 12, kRingTop = 3, kRingRight = 21, kRingBottom = 9;
constexpr int kLoopStep = 4;

uint16_t tileFor(char symbol, int col, int row) {
    switch (symbol) {
        case '#': return kWallTile;
        case '~': return kWaterTile;
        case '=': return kBridgeTile;
        case ':': return kPathTile;
        case '*': return kFlowerTile;
        case 'm': return kMeadowTile;
        case 'T': return kTreeTile;
        default: return textureNoise(col, row, 11) % 4 == 0 ? kGrassTuftTile : kGrassTile;
    }
}

}  // namespace

MapGrid defaultMap() {
    MapGrid grid;
    grid.cols = kCols;
    grid.rows = kRows;
    grid.tileWidth = kTileSide;
    grid.tileHeight = kTileSide;
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kCols; ++col) grid.cells.push_back(tileFor(kLayout[row][col], col, row));
    return grid;
}

std::vector<Waypoint> sheepLoop() {
    const int left = kRingLeft * kTileSide, right = kRingRight * kTileSide;
    const int top = kRingTop * kTileSide, bottom = kRingBottom * kTileSide;
    std::vector<Waypoint> loop;
    for (int x = left; x < right; x += kLoopStep) loop.push_back({x, top, 0});
    for (int y = top; y < bottom; y += kLoopStep) loop.push_back({right, y, 0});
    for (int x = right; x > left; x -= kLoopStep) loop.push_back({x, bottom, 0});
    for (int y = bottom; y > top; y -= kLoopStep) loop.push_back({left, y, 0});
    return loop;
}

}  // namespace ocre
