#include "data/Map.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "tests/data/LoaderTest.h"
#include "tests/support/RecordingDisplay.h"

namespace ocre {
namespace {

class MapTest : public test::LoaderTest {
protected:
    std::unique_ptr<Map> load(const std::string& tileFile, const test::File& mapBytes) {
        auto map = std::make_unique<Map>(tileFile.c_str(), &recorder);
        map->load(write("m.map", mapBytes).c_str());
        return map;
    }
    test::RecordingDisplay recorder;
};

TEST_F(MapTest, CellsShareTheTilesTheirIndicesSelectAndMissingIndicesSelectTheFirst) {
    const std::string tiles = write("t.tle", test::tileFile(2, 1, {1, 0}));
    auto map = load(tiles, test::mapFile(2, 2, 16, 8, {0, 1, 1, 0}));
    using Cells = std::vector<const Tile*>;
    EXPECT_EQ(Cells({map->cell(0, 0), map->cell(1, 0), map->cell(0, 1), map->cell(1, 1), map->cell(2, 0)}),
              Cells({map->tile(0), map->tile(1), map->tile(1), map->tile(0), nullptr}));
    EXPECT_EQ(std::make_pair(map->pixelWidth(), map->pixelHeight()), std::make_pair(32u, 16u));
    EXPECT_TRUE(map->cellWalkable(0, 0) && !map->cellWalkable(1, 0));

    map = load(tiles, test::mapFile(30, 20, 32, 32, {}));  // stops after its header
    for (uint32_t row = 0; row < 20; ++row)
        for (uint32_t col = 0; col < 30; ++col) ASSERT_EQ(map->cell(col, row), map->tile(0));
}

TEST_F(MapTest, HeaderWordDIsReadPackedAfterByteC) {
    const std::string tiles = write("t.tle", test::tileFile(2, 1, {1}));
    test::Bytes header;
    header.u32(1).u32(1).u32(8).u32(8).u8(0xA1).u8(0xB2).u8(0xC3);
    auto map = load(tiles, test::Bytes(header).u32(0x11223344).u8(0xE5).data());
    EXPECT_EQ(std::vector<uint32_t>({map->headerA(), map->headerB(), map->headerC(), map->headerD(), map->headerE()}),
              std::vector<uint32_t>({0xA1, 0xB2, 0xC3, 0x11223344, 0xE5}));
    // Written with a padding byte before D, the file is misread.
    map = load(tiles, test::Bytes(header).u8(0).u32(0x11223344).data());
    EXPECT_EQ(std::make_pair(map->headerD(), map->headerE()), std::make_pair(0x22334400u, uint8_t{0x11}));
}

TEST_F(MapTest, IndexBeyondTheTableOrImpossibleSizesAreNonConforming) {
    const std::string three = write("3.tle", test::tileFile(2, 1, {1, 0, 1})), none = write("0.tle", std::string());
    const std::tuple<const char*, std::string, test::File> rows[] = {
        {"index equal to the tile count", three, test::mapFile(2, 1, 8, 8, {0, 3})},
        {"largest index", three, test::mapFile(2, 1, 8, 8, {0xFFFF, 0})},
        {"missing index over an empty table", none, test::mapFile(1, 1, 8, 8, {})},
        {"zero tile width", three, test::mapFile(2, 2, 0, 32, {0, 0})},
        {"zero tile height", three, test::mapFile(2, 2, 32, 0, {0, 0})},
        {"billions of cells", three, test::mapFile(100000, 100000, 1, 1, {0, 0})},
        {"pixel width past 32 bits", three, test::mapFile(2, 1, 0x80000000u, 1, {0, 0})},
        {"pixel height past 32 bits", three, test::mapFile(1, 3, 1, 0x7FFFFFFFu, {0, 0})},
        {"tile width past the signed range", three, test::mapFile(0, 0, 0x80000000u, 1, {})},
    };
    for (const auto& [what, tiles, mapBytes] : rows) {
        SCOPED_TRACE(what);
        const std::string mapFile = write("bad.map", mapBytes);
        EXPECT_TRUE(test::diesWith([&] { Map(tiles.c_str(), nullptr).load(mapFile.c_str()); }, "fichier non conforme"));
    }
}

TEST_F(MapTest, WalkabilityProbesTheLeftEdgeAtTheFrameMiddleInsideTheGridOnly) {
    Map map(write("t.tle", test::tileFile(1, 1, {1, 0, 2})).c_str(), nullptr);
    EXPECT_FALSE(map.isWalkable(0, 0, 0, 0, 0));  // no grid, no tile size
    // 10 x 10 pixel cells of walkable bytes 1 0 1 / 2 1 0: only 1 is walkable.
    ASSERT_TRUE(map.setGrid(3, 2, 10, 10, {0, 1, 0, 2, 0, 1}));
    const std::tuple<uint32_t, uint32_t, uint32_t, int32_t, int32_t, bool> probes[] = {
        {0, 0, 0, 0, 0, true}, {10, 0, 0, 0, 0, false}, {20, 0, 0, 0, 0, true}, {0, 10, 0, 0, 0, false},
        {10, 4, 12, 0, 0, true},  // a 12-pixel frame at y 4 is probed at y 10
        {10, 4, 11, 0, 0, false}, {0, 0, 0, 10, 10, true}, {10, 10, 0, 0, -1, false},
        {2, 0, 0, -5, 0, true},      // column 0
        {12, 0, 0, -30, -30, true},  // column -1 and row -3 become 0
        {40, 0, 0, 0, 0, false},     // column 4, which is not cell (1, 1)
        {0, 20, 0, 0, 0, false}, {0, 0, 0, 0x7FFFFFFF, 0, false}, {0, 0, 0, 0, 0x7FFFFFF0, false},
    };
    for (const auto& [x, y, frameHeight, dx, dy, walkable] : probes)
        EXPECT_EQ(map.isWalkable(x, y, frameHeight, dx, dy), walkable) << x << "+" << dx << ", " << y << "+" << dy;
    EXPECT_TRUE(map.cellWalkable(1, 1));
    EXPECT_FALSE(map.cellWalkable(4, 0) || map.cellWalkable(-1, 1) || map.cellWalkable(0, 2));
    EXPECT_FALSE(map.setGrid(1, 1, 10, 10, {3}));
    EXPECT_EQ(map.cell(1, 0), map.tile(1));
}

TEST_F(MapTest, DrawWindowDrawsTheCellsUnderTheViewAndNothingOutsideTheMap) {
    // 3 x 2 cells of 32 x 32 pixels, each showing its own tile.
    const auto map = load(write("6.tle", test::tileFile(32, 32, {1, 1, 1, 1, 1, 1})),
                          test::mapFile(3, 2, 32, 32, {0, 1, 2, 3, 4, 5}));
    using Draws = std::vector<std::array<int, 3>>;  // cell, x, y
    const auto draws = [&] {
        Draws seen;
        for (const test::SurfaceCall& call : recorder.surfaces)
            for (uint32_t i = 0; i < 6; ++i)
                if (map->tile(i)->surface.get() == call.surface) seen.push_back({static_cast<int>(i), call.x, call.y});
        recorder.surfaces.clear();
        return seen;
    };
    const std::pair<std::array<int32_t, 6>, Draws> views[] = {
        // One more column and row than the view spans, the first 16 pixels left of the screen point.
        {{16, 0, 100, 50, 32, 32}, {{0, 84, 50}, {1, 116, 50}, {3, 84, 82}, {4, 116, 82}}},
        {{32, 0, 0, 0, 40, 20}, {{1, 0, 0}, {2, 32, 0}, {4, 0, 32}, {5, 32, 32}}},
        {{0, 0, 0, 0, 640, 480}, {{0, 0, 0}, {1, 32, 0}, {2, 64, 0}, {3, 0, 32}, {4, 32, 32}, {5, 64, 32}}},
        {{-64, -32, 0, 0, 96, 64}, {{0, 64, 32}, {1, 96, 32}, {3, 64, 64}, {4, 96, 64}}},
        {{96, 0, 0, 0, 64, 64}, {}},
        {{0, 64, 0, 0, 64, 64}, {}},
    };
    for (const auto& [view, expected] : views) {
        map->drawWindow(view[0], view[1], view[2], view[3], view[4], view[5]);
        EXPECT_EQ(draws(), expected) << "view at " << view[0] << ", " << view[1];
    }
    // Two billion columns and rows before the map: only cell 0 is reached, at once.
    map->drawWindow(INT32_MIN, INT32_MIN, 0, 0, INT32_MAX, INT32_MAX);
    const Draws extreme = draws();
    EXPECT_TRUE(extreme.size() == 1 && extreme[0][0] == 0) << extreme.size();
}

}  // namespace
}  // namespace ocre
