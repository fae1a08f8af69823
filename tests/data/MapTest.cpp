#include "data/Map.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/Display.h"
#include "tests/data/DataFiles.h"
#include "tests/support/RecordingDisplay.h"

namespace ocre {
namespace {

using test::MapHeader;
using test::tileRecord;


class MapTest : public ::testing::Test {
protected:
    test::OpenDisplay screen;
    test::TempDir dir;
    test::RecordingDisplay recorder;

    std::string write(const std::string& name, const test::Bytes& bytes) {
        test::writeFile(dir.file(name), bytes.data());
        return dir.file(name);
    }
    // Tile 0 walkable, tile 1 not, tile 2 walkable byte 2 (which blocks).
    std::string threeTiles() {
        test::Bytes tiles;
        tiles.raw(tileRecord(2, 1, 0, 1).data()).raw(tileRecord(2, 1, 1, 0).data()).raw(tileRecord(1, 1, 0, 2).data());
        return write("tiles.tle", tiles);
    }
    test::ChildResult loadInChild(const std::string& tiles, const std::string& map) {
        return test::runInChild([&] { Map(tiles.c_str(), &recorder).load(map.c_str()); });
    }
};

TEST_F(MapTest, TileTableCountsOnlyCompleteRecords) {
    test::Bytes twoAndStray;
    twoAndStray.raw(tileRecord(2, 1, 0, 1).data()).raw(tileRecord(2, 1, 0, 1).data()).u8(1).u8(2).u8(3).u8(4).u8(5);
    EXPECT_EQ(Map(write("a.tle", twoAndStray).c_str(), &recorder).tileCount(), 2u);

    test::Bytes zeroHeightEnds;
    zeroHeightEnds.raw(tileRecord(2, 1, 0, 1).data()).raw(tileRecord(3, 0, 0, 1).data()).raw(tileRecord(2, 1, 0, 1).data());
    EXPECT_EQ(Map(write("b.tle", zeroHeightEnds).c_str(), &recorder).tileCount(), 1u);

    std::vector<uint8_t> cut = test::Bytes().raw(tileRecord(2, 1, 0, 1).data()).raw(tileRecord(2, 1, 0, 1).data()).data();
    cut.pop_back();
    test::writeFile(dir.file("c.tle"), cut);
    EXPECT_EQ(Map(dir.file("c.tle").c_str(), &recorder).tileCount(), 1u);

    EXPECT_EQ(Map(write("d.tle", test::Bytes()).c_str(), &recorder).tileCount(), 0u);
}

TEST_F(MapTest, TilesKeepTheirFlagsAndImages) {
    test::Bytes bytes;
    bytes.raw(tileRecord(3, 2, 1, 1, {255, 0, 0, 77}).data()).raw(tileRecord(1, 1, 2, 0).data());
    Map map(write("t.tle", bytes).c_str(), &recorder);
    ASSERT_EQ(map.tileCount(), 2u);
    const Tile* first = map.tile(0);
    EXPECT_EQ(first->width, 3);
    EXPECT_EQ(first->height, 2);
    EXPECT_EQ(first->transparent, 1);
    EXPECT_EQ(first->walkable, 1);
    ASSERT_NE(first->surface, nullptr);
    EXPECT_EQ(test::pixelAt(first->surface->sdlSurface(), 2, 1), test::screenColour(255, 0, 0));
    EXPECT_EQ(map.tile(1)->walkable, 0);
    EXPECT_EQ(map.tile(2), nullptr);
}

TEST_F(MapTest, CellsShareTheTilesTheirIndicesSelect) {
    const std::string tiles = threeTiles();
    Map map(tiles.c_str(), &recorder);
    MapHeader header;
    header.cols = 2;
    header.rows = 2;
    header.tileWidth = 16;
    header.tileHeight = 8;
    map.load(write("m.map", test::mapFile(header, {0, 1, 1, 0})).c_str());

    EXPECT_EQ(map.cols(), 2u);
    EXPECT_EQ(map.rows(), 2u);
    EXPECT_EQ(map.pixelWidth(), 32u);
    EXPECT_EQ(map.pixelHeight(), 16u);
    EXPECT_EQ(map.cell(1, 0), map.tile(1));
    EXPECT_EQ(map.cell(0, 1), map.tile(1));
    EXPECT_EQ(map.cell(0, 0), map.tile(0));
    EXPECT_EQ(map.cell(1, 1), map.tile(0));
    EXPECT_EQ(map.cell(2, 0), nullptr);
    EXPECT_EQ(map.cell(0, 2), nullptr);
}

TEST_F(MapTest, HeaderWordDIsReadPackedAfterByteC) {
    const std::string tiles = threeTiles();
    MapHeader header;
    header.cols = 1;
    header.rows = 1;
    header.a = 0xA1;
    header.b = 0xB2;
    header.c = 0xC3;
    header.d = 0x11223344;
    header.e = 0xE5;
    Map map(tiles.c_str(), &recorder);
    map.load(write("packed.map", test::mapFile(header, {2})).c_str());
    EXPECT_EQ(map.headerA(), 0xA1);
    EXPECT_EQ(map.headerB(), 0xB2);
    EXPECT_EQ(map.headerC(), 0xC3);
    EXPECT_EQ(map.headerD(), 0x11223344u);
    EXPECT_EQ(map.headerE(), 0xE5);
    EXPECT_EQ(map.cell(0, 0), map.tile(2));

    // Written with a padding byte before D, the file is misread.
    test::Bytes padded;
    padded.u32(1).u32(1).u32(32).u32(32).u8(0xA1).u8(0xB2).u8(0xC3).u8(0).u32(0x11223344).u8(0).u8(0);
    Map misread(tiles.c_str(), &recorder);
    misread.load(write("padded.map", padded).c_str());
    EXPECT_EQ(misread.headerD(), 0x22334400u);
    EXPECT_EQ(misread.headerE(), 0x11);
}

TEST_F(MapTest, FileEndingAfterTheHeaderShowsTheFirstTileEverywhere) {
    Map map(threeTiles().c_str(), &recorder);
    MapHeader header;
    header.cols = 30;
    header.rows = 20;
    // Only the first two indices are present; both select tile 1.
    map.load(write("short.map", test::mapFile(header, {1, 1})).c_str());
    EXPECT_EQ(map.cell(0, 0), map.tile(1));
    EXPECT_EQ(map.cell(1, 0), map.tile(1));
    for (uint32_t row = 0; row < 20; ++row)
        for (uint32_t col = (row == 0 ? 2 : 0); col < 30; ++col) ASSERT_EQ(map.cell(col, row), map.tile(0));

    Map bare(threeTiles().c_str(), &recorder);
    bare.load(write("bare.map", test::mapFile(header, {})).c_str());
    EXPECT_EQ(bare.cell(29, 19), bare.tile(0));
}

TEST_F(MapTest, IndexNotBelowTheTileCountIsRefused) {
    const std::string tiles = threeTiles();
    MapHeader header;
    header.cols = 2;
    header.rows = 1;
    for (uint16_t bad : {uint16_t{3}, uint16_t{4}, uint16_t{0xFFFF}}) {
        SCOPED_TRACE(bad);
        const auto result = loadInChild(tiles, write("bad.map", test::mapFile(header, {0, bad})));
        EXPECT_TRUE(result.exited);
        EXPECT_EQ(result.exitStatus, 255);
        EXPECT_EQ(result.out, "fichier non conforme");
    }
}

TEST_F(MapTest, MissingIndexOverAnEmptyTileTableIsRefused) {
    MapHeader header;
    header.cols = 1;
    header.rows = 1;
    const auto result = loadInChild(write("none.tle", test::Bytes()), write("m.map", test::mapFile(header, {})));
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "fichier non conforme");
}

TEST_F(MapTest, ImpossibleSizesAreRefusedAsNonConforming) {
    const std::string tiles = threeTiles();
    struct Case {
        const char* what;
        uint32_t cols, rows, tileWidth, tileHeight;
    };
    const Case cases[] = {
        {"zero tile width", 2, 2, 0, 32},
        {"zero tile height", 2, 2, 32, 0},
        {"billions of cells over a short file", 100000, 100000, 1, 1},
        {"pixel width past 32 bits", 2, 1, 0x80000000u, 1},
        {"pixel height past 32 bits", 1, 3, 1, 0x7FFFFFFFu},
        {"tile width past the signed range", 0, 0, 0x80000000u, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MapHeader header;
        header.cols = c.cols;
        header.rows = c.rows;
        header.tileWidth = c.tileWidth;
        header.tileHeight = c.tileHeight;
        const std::string map = write("odd.map", test::mapFile(header, {0, 0}));
        const auto result = test::runInChild([&] { Map(tiles.c_str(), &recorder).load(map.c_str()); }, 5000);
        EXPECT_TRUE(result.exited);
        EXPECT_EQ(result.exitStatus, 255);
        EXPECT_EQ(result.out, "fichier non conforme");
    }
}

TEST_F(MapTest, MissingFilesAreFatalWithTheirNames) {
    const std::string absentTiles = dir.file("absent.tle");
    auto result = test::runInChild([&] { Map(absentTiles.c_str(), &recorder); });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "erreur d'ouverture du fichier " + absentTiles);

    const std::string absentMap = dir.file("absent.map");
    result = loadInChild(threeTiles(), absentMap);
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "erreur d'ouverture du fichier " + absentMap);
}

class WalkabilityTest : public ::testing::Test {
protected:
    // 3 x 2 cells of 10 x 10 pixels: only (0, 0), (2, 0) and (1, 1) walkable;
    // (0, 1) shows a tile whose walkable byte is 2.
    WalkabilityTest() : map(makeTiles()) {
        EXPECT_TRUE(map.setGrid(3, 2, 10, 10, {0, 1, 0, 2, 0, 1}));
    }
    static std::vector<std::unique_ptr<Tile>> makeTiles() {
        std::vector<std::unique_ptr<Tile>> tiles;
        for (uint8_t walkable : {1, 0, 2}) {
            tiles.push_back(std::make_unique<Tile>());
            tiles.back()->walkable = walkable;
        }
        return tiles;
    }
    Map map;
};

TEST_F(WalkabilityTest, ProbesTheLeftEdgeAtTheFrameMiddle) {
    EXPECT_TRUE(map.isWalkable(0, 0, 0, 0, 0));
    EXPECT_FALSE(map.isWalkable(10, 0, 0, 0, 0));
    EXPECT_TRUE(map.isWalkable(20, 0, 0, 0, 0));
    // A 12-pixel frame at y 4 is probed at y 10: the second row.
    EXPECT_TRUE(map.isWalkable(10, 4, 12, 0, 0));
    EXPECT_FALSE(map.isWalkable(10, 4, 11, 0, 0));
    // The offset moves the probe.
    EXPECT_TRUE(map.isWalkable(0, 0, 0, 10, 10));
    EXPECT_FALSE(map.isWalkable(10, 10, 0, 0, -1));
}

TEST_F(WalkabilityTest, NegativeProbeIsClampedToTheFirstCell) {
    // x 2 with dx -5 probes column 0 (the negative column becomes 0).
    EXPECT_TRUE(map.isWalkable(2, 0, 0, -5, 0));
    EXPECT_TRUE(map.isWalkable(12, 0, 0, -30, -30));
    // -9 / 10 truncates to column 0 as well.
    EXPECT_TRUE(map.isWalkable(1, 0, 0, -10, 0));
}

TEST_F(WalkabilityTest, OnlyWalkableByteOneAllowsWalking) {
    EXPECT_FALSE(map.cellWalkable(0, 1));
    EXPECT_FALSE(map.isWalkable(0, 10, 0, 0, 0));
    EXPECT_TRUE(map.cellWalkable(1, 1));
    EXPECT_FALSE(map.cellWalkable(1, 0));
}

TEST_F(WalkabilityTest, BeyondTheRightOrBottomEdgeIsNotWalkable) {
    EXPECT_FALSE(map.isWalkable(30, 0, 0, 0, 0));
    // Column 4 of row 0 would be cell (1, 1) of the next row if the grid
    // were read past its right edge.
    EXPECT_FALSE(map.isWalkable(40, 0, 0, 0, 0));
    EXPECT_FALSE(map.isWalkable(0, 20, 0, 0, 0));
    EXPECT_FALSE(map.isWalkable(0, 0, 0, 0x7FFFFFFF, 0));
    EXPECT_FALSE(map.isWalkable(0, 0, 0, 0, 0x7FFFFFF0));
    EXPECT_FALSE(map.cellWalkable(3, 0));
    EXPECT_FALSE(map.cellWalkable(0, 2));
    EXPECT_FALSE(map.cellWalkable(-1, 0));
    EXPECT_FALSE(map.cellWalkable(0, -1));
}

TEST_F(WalkabilityTest, MapWithoutGridWalksNowhere) {
    Map empty(makeTiles());
    EXPECT_FALSE(empty.isWalkable(0, 0, 0, 0, 0));
    EXPECT_FALSE(empty.cellWalkable(0, 0));
    EXPECT_EQ(empty.cell(0, 0), nullptr);
}

TEST_F(WalkabilityTest, SetGridRefusesBadIndicesAndSizesAndKeepsTheOldGrid) {
    EXPECT_FALSE(map.setGrid(1, 1, 10, 10, {3}));
    EXPECT_FALSE(map.setGrid(1, 1, 0, 10, {0}));
    EXPECT_FALSE(map.setGrid(1, 1, 10, 0, {0}));
    EXPECT_FALSE(map.setGrid(0, 1, 10, 10, {}));
    EXPECT_FALSE(map.setGrid(2, 2, 10, 10, {0, 0, 0}));
    EXPECT_EQ(map.cols(), 3u);
    EXPECT_EQ(map.pixelWidth(), 30u);
    EXPECT_EQ(map.cell(1, 0), map.tile(1));
}

class DrawWindowTest : public MapTest {
protected:
    // 3 x 2 cells of 32 x 32 pixels; each cell shows its own tile so that
    // a drawn surface tells which cell it was.
    void SetUp() override {
        test::Bytes tiles;
        for (int i = 0; i < 6; ++i) tiles.raw(tileRecord(32, 32, 0, 1).data());
        map = std::make_unique<Map>(write("six.tle", tiles).c_str(), &recorder);
        MapHeader header;
        header.cols = 3;
        header.rows = 2;
        map->load(write("six.map", test::mapFile(header, {0, 1, 2, 3, 4, 5})).c_str());
    }
    int cellOf(const test::SurfaceCall& draw) {
        for (uint32_t i = 0; i < 6; ++i)
            if (map->tile(i)->surface.get() == draw.surface) return static_cast<int>(i);
        return -1;
    }
    std::unique_ptr<Map> map;
};

TEST_F(DrawWindowTest, ShiftedOriginDrawsOneMoreColumnStartingLeftOfTheScreenPoint) {
    map->drawWindow(16, 0, 100, 50, 32, 32);
    // One column and one row of view: columns 0 and 1, rows 0 and 1.
    ASSERT_EQ(recorder.surfaces.size(), 4u);
    EXPECT_EQ(cellOf(recorder.surfaces[0]), 0);
    EXPECT_EQ(recorder.surfaces[0].x, 100 - 16);
    EXPECT_EQ(recorder.surfaces[0].y, 50);
    EXPECT_EQ(recorder.surfaces[0].w, 32);
    EXPECT_EQ(recorder.surfaces[0].h, 32);
    EXPECT_EQ(cellOf(recorder.surfaces[1]), 1);
    EXPECT_EQ(recorder.surfaces[1].x, 100 + 16);
    EXPECT_EQ(cellOf(recorder.surfaces[2]), 3);
    EXPECT_EQ(recorder.surfaces[2].y, 82);
    EXPECT_EQ(cellOf(recorder.surfaces[3]), 4);
}

TEST_F(DrawWindowTest, InnerViewDrawsEachCellAtItsPlace) {
    map->drawWindow(32, 0, 0, 0, 40, 20);
    // Columns 1..3 and rows 0..1 by the bounds; column 3 is past the edge.
    ASSERT_EQ(recorder.surfaces.size(), 4u);
    EXPECT_EQ(cellOf(recorder.surfaces[0]), 1);
    EXPECT_EQ(recorder.surfaces[0].x, 0);
    EXPECT_EQ(cellOf(recorder.surfaces[1]), 2);
    EXPECT_EQ(recorder.surfaces[1].x, 32);
    EXPECT_EQ(cellOf(recorder.surfaces[2]), 4);
    EXPECT_EQ(recorder.surfaces[2].y, 32);
    EXPECT_EQ(cellOf(recorder.surfaces[3]), 5);
}

TEST_F(DrawWindowTest, WholeMapIsDrawnOnceWithNothingPastItsEdges) {
    map->drawWindow(0, 0, 0, 0, 640, 480);
    ASSERT_EQ(recorder.surfaces.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(cellOf(recorder.surfaces[i]), static_cast<int>(i));
        EXPECT_EQ(recorder.surfaces[i].x, static_cast<int>(i % 3) * 32);
        EXPECT_EQ(recorder.surfaces[i].y, static_cast<int>(i / 3) * 32);
    }
}

TEST_F(DrawWindowTest, ViewBeforeOrBeyondTheMapDrawsOnlyMapCells) {
    // Columns -2..1 and rows -1..1 by the bounds: the map's part of them.
    map->drawWindow(-64, -32, 0, 0, 96, 64);
    ASSERT_EQ(recorder.surfaces.size(), 4u);
    EXPECT_EQ(cellOf(recorder.surfaces[0]), 0);
    EXPECT_EQ(recorder.surfaces[0].x, 64);
    EXPECT_EQ(recorder.surfaces[0].y, 32);
    EXPECT_EQ(cellOf(recorder.surfaces[1]), 1);
    EXPECT_EQ(recorder.surfaces[1].x, 96);
    EXPECT_EQ(cellOf(recorder.surfaces[2]), 3);
    EXPECT_EQ(recorder.surfaces[2].y, 64);
    EXPECT_EQ(cellOf(recorder.surfaces[3]), 4);

    recorder.surfaces.clear();
    map->drawWindow(96, 0, 0, 0, 64, 64);
    map->drawWindow(0, 64, 0, 0, 64, 64);
    EXPECT_TRUE(recorder.surfaces.empty());

    // The most extreme view spans two billion columns before the map: it
    // must end at once, reaching only the extra column and row at cell 0.
    map->drawWindow(-2147483647 - 1, -2147483647 - 1, 0, 0, 2147483647, 2147483647);
    ASSERT_EQ(recorder.surfaces.size(), 1u);
    EXPECT_EQ(cellOf(recorder.surfaces[0]), 0);
}

}  // namespace
}  // namespace ocre
