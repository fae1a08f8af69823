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
    void SetUp() override {
        ASSERT_TRUE(test::copyDefaultDataSet(directory_.path()));
        video_ = std::make_unique<HeadlessVideo>();
    }
    void TearDown() override { video_.reset(); }

    std::string file(const std::string& name) const { return directory_.file(name); }
    const std::string& directory() const { return directory_.path(); }
    Display& display() { return video_->display(); }

private:
    TempDir directory_;
    std::unique_ptr<HeadlessVideo> video_;
};

TEST_F(BuiltDataSet, ActorListsHaveEightAnimationsWhoseBoxesFitTheVisiblePixels) {
    test::WorkingFolder inSet(directory());
    ASSERT_TRUE(inSet.entered());
    for (const char* list : kActorLists) {
        SCOPED_TRACE(list);
        DatStructure dat;
        dat.load(list);
        ASSERT_EQ(dat.count, 8);
        for (int a = 0; a < dat.count; ++a) {
            const FrameSet& animation = dat.records[static_cast<size_t>(a)];
            if (a < kWalkAnimations)
                EXPECT_GE(animation.frameCount, 2u) << "walk animation " << a;
            else
                EXPECT_GE(animation.frameCount, 1u) << "stand animation " << a;
            for (uint32_t f = 0; f < animation.frameCount; ++f) {
                PixelBox visible;
                ASSERT_TRUE(imageOfSurface(*animation.frames[f]).visibleBounds(visible)) << a << "/" << f;
                const BoundingBox& box = *animation.boxes[f];
                EXPECT_EQ((PixelBox{box.left, box.top, box.right, box.bottom}), visible) << a << "/" << f;
            }
        }
    }
}

// Standing left is standing right mirrored: a swapped list shows at once.
TEST_F(BuiltDataSet, StandingLeftIsStandingRightMirrored) {
    test::WorkingFolder inSet(directory());
    ASSERT_TRUE(inSet.entered());
    DatStructure hero;
    hero.load("songroku.dat");
    const PixelImage left = imageOfSurface(*hero.records[5].frames[0]);
    const PixelImage mirroredRight = imageOfSurface(*hero.records[6].frames[0]).mirrored();
    for (int y = 0; y < left.height(); ++y)
        for (int x = 0; x < left.width(); ++x) ASSERT_EQ(left.at(x, y), mirroredRight.at(x, y)) << x << "," << y;
}

TEST_F(BuiltDataSet, MapBlocksWaterAndWallsAndTheSheepLoopsOnWalkableCells) {
    Map map(file("test2.tle").c_str(), &display());
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
            if (tile == map.tile(kWaterTile) || tile == map.tile(kWallTile)) {
                EXPECT_FALSE(canWalk) << col << "," << row;
            }
        }
    EXPECT_TRUE(water > 0 && walls > 0);
    EXPECT_GT(walkable, static_cast<int>(map.cols() * map.rows() / 2));

    const Path path(file("mouton3.pat").c_str());
    ASSERT_TRUE(path.loops());
    ASSERT_GT(path.waypointCount(), 8u);
    test::WorkingFolder inSet(directory());
    ASSERT_TRUE(inSet.entered());
    DatStructure sheep;
    sheep.load("mouton.dat");
    const auto w = static_cast<int32_t>(sheep.records[0].width), h = static_cast<int32_t>(sheep.records[0].height);
    const auto &xs = path.xs(), &ys = path.ys();
    int32_t minX = INT32_MAX, maxX = INT32_MIN, minY = INT32_MAX, maxY = INT32_MIN;
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
        minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    // The loop goes around something: a meadow cell in its middle.
    const Tile* middle = map.cell(static_cast<uint32_t>((minX + maxX + w) / 2 / 32),
                                  static_cast<uint32_t>((minY + maxY + h) / 2 / 32));
    EXPECT_TRUE(middle == map.tile(kMeadowTile) || middle == map.tile(kFlowerTile));
}

// Ink: the pixels of a glyph frame that are not transparent.
std::vector<std::pair<int, int>> inkOf(const FrameSet& font, unsigned char c) {
    std::vector<std::pair<int, int>> ink;
    const PixelImage glyph = imageOfSurface(*font.frames[c]);
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            if (!glyph.at(x, y).isBlack()) ink.emplace_back(x, y);
    return ink;
}

TEST_F(BuiltDataSet, FontHas256LegibleGlyphsInCodePage1252OrderAndTwoPortraits) {
    FrameSet font;
    font.load(file("fonte.spr").c_str());
    ASSERT_EQ(font.frameCount, 256u);
    // Text advances (2 x 20) / 5 = 8 pixels a glyph, (3 x 22) / 4 = 16 a line.
    EXPECT_EQ(std::make_pair(font.width, font.height), std::make_pair(20u, 22u));
    EXPECT_TRUE(inkOf(font, 0x01).empty() && inkOf(font, ' ').empty());
    EXPECT_FALSE(inkOf(font, 'A').empty());
    EXPECT_NE(inkOf(font, 'A'), inkOf(font, 'B'));
    // \xE9 is the e with an accent above it.
    const auto plain = inkOf(font, 'e'), accented = inkOf(font, 0xE9);
    for (const auto& pixel : plain) EXPECT_NE(std::find(accented.begin(), accented.end(), pixel), accented.end());
    EXPECT_LT(std::min_element(accented.begin(), accented.end(), [](auto a, auto b) { return a.second < b.second; })->second,
              std::min_element(plain.begin(), plain.end(), [](auto a, auto b) { return a.second < b.second; })->second);
    // Where code page 1252 differs from Latin-1: the euro sign, the apostrophe.
    EXPECT_FALSE(inkOf(font, 0x80).empty());
    EXPECT_NE(inkOf(font, 0x92), inkOf(font, '\''));
    // Ink keeps to the 8-pixel advance plus its one-pixel shadow.
    for (int c = 0x20; c < 0x80; ++c)
        for (const auto& pixel : inkOf(font, static_cast<unsigned char>(c))) EXPECT_LT(pixel.first, 10) << c;
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
