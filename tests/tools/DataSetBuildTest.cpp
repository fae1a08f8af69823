// The default data set as the server sees it: built by the real binary,
// then loaded with the server's own loaders.

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "data/DatStructure.h"
#include "data/FrameSet.h"
#include "data/Map.h"
#include "data/Path.h"
#include "tests/support/DefaultDataSet.h"
#include "tests/support/WorkingFolder.h"
#include "tests/tools/ToolRunner.h"
#include "tools/data/HeadlessVideo.h"
#include "tools/defaultset/TileArt.h"

namespace ocre {
namespace {

using test::TempDir;

constexpr const char* kActorLists[] = {"songroku.dat", "mouton.dat", "pointeur.dat", "dragourou.dat"};
constexpr int kWalkAnimations = 4;

std::vector<std::string> filesIn(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

class BuiltDataSet : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::copyDefaultDataSet(set.path())); }
    std::string file(const std::string& name) const { return set.file(name); }

    TempDir set;
    HeadlessVideo video;
};

TEST_F(BuiltDataSet, ActorListsHaveEightAnimationsWhoseBoxesFitTheVisiblePixels) {
    test::WorkingFolder inSet(set.path());
    ASSERT_TRUE(inSet.entered());
    for (const char* list : kActorLists) {
        SCOPED_TRACE(list);
        DatStructure dat;
        dat.load(list);
        ASSERT_EQ(dat.count, 8);
        for (int a = 0; a < dat.count; ++a) {
            const FrameSet& animation = dat.records[static_cast<size_t>(a)];
            EXPECT_GE(animation.frameCount, a < kWalkAnimations ? 2u : 1u) << "animation " << a << " (walks move)";
            for (uint32_t f = 0; f < animation.frameCount; ++f) {
                PixelBox visible;
                ASSERT_TRUE(imageOfSurface(*animation.frames[f]).visibleBounds(visible)) << a << "/" << f;
                const BoundingBox& box = *animation.boxes[f];
                EXPECT_EQ((PixelBox{box.left, box.top, box.right, box.bottom}), visible) << a << "/" << f;
            }
        }
    }
}

TEST_F(BuiltDataSet, MapBlocksWaterAndWallsAndTheSheepLoopsOnWalkableCells) {
    Map map(file("test2.tle").c_str(), &video.display());
    map.load(file("test2.map").c_str());
    EXPECT_TRUE(map.cols() >= 40 && map.rows() >= 30 && map.tileWidth() == 32 && map.tileHeight() == 32);
    int water = 0, walls = 0, walkable = 0;
    for (uint32_t row = 0; row < map.rows(); ++row)
        for (uint32_t col = 0; col < map.cols(); ++col) {
            const Tile* tile = map.cell(col, row);
            ASSERT_TRUE(tile != nullptr && tile->width == 32 && tile->height == 32);
            const bool canWalk = map.cellWalkable(static_cast<int32_t>(col), static_cast<int32_t>(row));
            water += tile == map.tile(kWaterTile);
            walls += tile == map.tile(kWallTile);
            walkable += canWalk;
            EXPECT_FALSE(canWalk && (tile == map.tile(kWaterTile) || tile == map.tile(kWallTile))) << col << "," << row;
        }
    EXPECT_TRUE(water > 0 && walls > 0);
    EXPECT_GT(walkable, static_cast<int>(map.cols() * map.rows() / 2));

    const Path path(file("mouton3.pat").c_str());
    ASSERT_TRUE(path.loops() && path.waypointCount() > 8u);
    test::WorkingFolder inSet(set.path());
    ASSERT_TRUE(inSet.entered());
    DatStructure sheep;
    sheep.load("mouton.dat");
    const auto w = static_cast<int32_t>(sheep.records[0].width), h = static_cast<int32_t>(sheep.records[0].height);
    const auto &xs = path.xs(), &ys = path.ys();
    for (size_t i = 0; i < xs.size(); ++i) {
        const int32_t x = xs[i], y = ys[i];
        ASSERT_TRUE(x >= 0 && y >= 0 && static_cast<uint32_t>(x + w) <= map.pixelWidth() &&
                    static_cast<uint32_t>(y + h) <= map.pixelHeight());
        // The whole sprite stands on walkable cells, not only its probe point.
        for (int32_t cx : {x, x + w - 1})
            for (int32_t cy : {y, y + h / 2, y + h - 1})
                EXPECT_TRUE(map.cellWalkable(cx / 32, cy / 32)) << "waypoint " << i << " at " << x << "," << y;
        const size_t next = (i + 1) % xs.size();
        EXPECT_LE(std::abs(xs[next] - x) + std::abs(ys[next] - y), 8) << "a jump after waypoint " << i;
    }
}

TEST_F(BuiltDataSet, FontHas256GlyphsAndThereAreTwoPortraits) {
    FrameSet font;
    font.load(file("fonte.spr").c_str());
    ASSERT_EQ(font.frameCount, 256u);
    // Text advances (2 x 20) / 5 = 8 pixels a glyph, (3 x 22) / 4 = 16 a line.
    EXPECT_EQ(std::make_pair(font.width, font.height), std::make_pair(20u, 22u));
    FrameSet faces;
    faces.load(file("faces.spr").c_str());
    EXPECT_EQ(faces.frameCount, 2u);
}

// The build's own run against the set the test build wrote earlier.
TEST(DataSetBuild, TwoBuildsWriteTheSameBytes) {
    TempDir first, second;
    ASSERT_EQ(test::runDataTool({"build", first.path()}).exitStatus, 0);
    ASSERT_TRUE(test::copyDefaultDataSet(second.path()));
    const auto names = filesIn(first.path());
    ASSERT_EQ(names, filesIn(second.path()));
    EXPECT_GE(names.size(), 10u + 4u * 8u);
    for (const std::string& name : names)
        EXPECT_EQ(test::readFile(first.file(name)), test::readFile(second.file(name))) << name;
}

}  // namespace
}  // namespace ocre
