// Map files, loaded by Map::load over a tile table read from a small sound
// tile file (three tiles), as the server's start-up loads "test2.map" after
// "test2.tle"; a map that loads is then asked what the actors, the path
// finder and the views ask of it: walkability at and beyond its edges, its
// cells, and the drawing of views around and outside it. The bytes reach
// the loader through a file of the process's scratch folder. Headers that
// ask for far more cells than the input holds are left out while fuzzing
// (see InputCost.h); those the loader refuses for their size are kept. The
// load runs inside refusalOf: a fatal refusal unwinds back here as a value
// (file and memory released), an ordinary outcome; only sanitizer reports
// and aborts are faults.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Fatal.h"
#include "data/Map.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/InputCost.h"
#include "tools/data/ServerLoad.h"

using namespace ocre;

namespace {

// Views of a tile and a half (at most this size) cover two or three
// columns and rows whatever the tiles' size: a part of a tile and the extra
// column and row the drawing adds. Wider views only draw more of the same.
constexpr int64_t kViewWidth = 48;
constexpr int64_t kViewHeight = 32;
constexpr uint32_t kFrameHeight = 16;

std::string tilePath;

int32_t viewSize(uint32_t tileSize, int64_t most) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{tileSize} + tileSize / 2 + 1, most));
}

void askAround(const Map& map) {
    const int32_t viewWidth = viewSize(map.tileWidth(), kViewWidth);
    const int32_t viewHeight = viewSize(map.tileHeight(), kViewHeight);
    const auto width = static_cast<int32_t>(map.pixelWidth());
    const auto height = static_cast<int32_t>(map.pixelHeight());
    const int32_t probes[][2] = {{0, 0},          {width - 1, height - 1}, {width, height}, {-7, -9},
                                 {width / 2, -1}, {INT32_MAX, INT32_MAX}};
    for (const auto& probe : probes) {
        map.isWalkable(static_cast<uint32_t>(probe[0]), static_cast<uint32_t>(probe[1]), kFrameHeight, 0, 0);
        map.isWalkable(static_cast<uint32_t>(probe[0]), static_cast<uint32_t>(probe[1]), kFrameHeight, -5, 3);
        map.cellWalkable(probe[0], probe[1]);
        map.drawWindow(probe[0], probe[1], 0, 0, viewWidth, viewHeight);
    }
    map.cell(map.cols() - 1, map.rows() - 1);
    map.drawWindow(static_cast<int32_t>(map.tileWidth() / 2), static_cast<int32_t>(map.tileHeight() / 2), 5, 5,
                   viewWidth, viewHeight);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    toolDisplay();
    tilePath = fuzz::writeScratchFile("tiles.tle", fuzz::smallTileFile());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (fuzz::leftOut(fuzz::mapCellsMade(data, size), fuzz::kMostMapCells)) return 0;
    const std::string path = fuzz::writeScratchFile("input.map", data, size);
    Map map(tilePath.c_str(), &toolDisplay());
    if (refusalOf([&] { map.load(path.c_str()); })) return 0;
    askAround(map);
    return 0;
}
