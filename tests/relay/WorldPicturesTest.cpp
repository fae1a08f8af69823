// The pictures the page draws with, against what the server's loaders read
// from the default data set.
#include "relay/WorldPictures.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "client/ActorTable.h"
#include "client/WorldArt.h"
#include "tests/support/PngPicture.h"
#include "tests/support/TestFiles.h"
#include "tools/data/HeadlessVideo.h"
#include "tools/data/ServerLoad.h"

namespace ocre::relay {
namespace {

class WorldPicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new test::TempDir;
        const std::string build = std::string(OCRE_DATA_BINARY) + " build '" + dir->path() + "' >/dev/null";
        ASSERT_EQ(std::system(build.c_str()), 0);
        std::string error;
        pictures = new WorldPictures;
        ASSERT_TRUE(pictures->build(dir->path(), error)) << error;
        art = new client::WorldArt;
        ASSERT_TRUE(art->load(dir->path(), toolDisplay(), error)) << error;
    }
    static void TearDownTestSuite() {
        delete art;
        delete pictures;
        delete dir;
    }
    static test::TempDir* dir;
    static WorldPictures* pictures;
    static client::WorldArt* art;
};
test::TempDir* WorldPicturesTest::dir = nullptr;
WorldPictures* WorldPicturesTest::pictures = nullptr;
client::WorldArt* WorldPicturesTest::art = nullptr;

TEST_F(WorldPicturesTest, SheetsHoldEveryFrameWhereTheLayoutSaysWithBlackTransparent) {
    ASSERT_EQ(pictures->actorSheets.size(), client::kActorCount);
    for (size_t actor = 0; actor < client::kActorCount; ++actor) {
        const size_t s = pictures->actorSheets[actor];
        const SheetLayout& layout = pictures->sheets[s];
        EXPECT_EQ(layout.datFile, client::kActorDatFiles[actor]);
        const test::PngPicture sheet = test::decodePng(pictures->sheetPngs[s]);
        ASSERT_GT(sheet.width, 0);
        const DatStructure& list = art->framesOf(actor);
        ASSERT_EQ(layout.animations.size(), list.records.size());
        for (size_t a = 0; a < list.records.size(); ++a) {
            const FrameSet& frames = list.records[a];
            const AnimationLayout& anim = layout.animations[a];
            EXPECT_EQ(anim.width, frames.width);
            EXPECT_EQ(anim.height, frames.height);
            EXPECT_EQ(anim.frames, frames.frameCount);
            EXPECT_EQ(anim.delay, frames.frameDelay);
            for (size_t f = 0; f < frames.frames.size(); ++f) {
                EXPECT_EQ(anim.boxes[f][2], frames.boxes[f]->right);
                const PixelImage frame = imageOfSurface(*frames.frames[f]);
                for (int y = 0; y < frame.height(); ++y)
                    for (int x = 0; x < frame.width(); ++x) {
                        const Rgb c = frame.at(x, y);
                        const uint8_t* p = sheet.at(static_cast<int>(f * anim.width) + x, static_cast<int>(anim.top) + y);
                        if (c.isBlack()) {
                            ASSERT_EQ(p[3], 0) << layout.datFile << " animation " << a << " frame " << f;
                        } else {
                            ASSERT_EQ(p[3], 255);
                            ASSERT_EQ(p[0], c.r);
                            ASSERT_EQ(p[1], c.g);
                            ASSERT_EQ(p[2], c.b);
                        }
                    }
            }
        }
    }
}

TEST_F(WorldPicturesTest, MapPictureShowsEveryCellsTileAndTheIndexTellsItsSize) {
    const Map& map = art->map();
    const test::PngPicture picture = test::decodePng(pictures->mapPng);
    ASSERT_EQ(static_cast<uint32_t>(picture.width), map.pixelWidth());
    ASSERT_EQ(static_cast<uint32_t>(picture.height), map.pixelHeight());
    for (uint32_t row = 0; row < map.rows(); row += 3)
        for (uint32_t col = 0; col < map.cols(); col += 5) {
            const PixelImage tile = imageOfSurface(*map.cell(col, row)->surface);
            for (const auto& [x, y] : {std::pair{0, 0}, {tile.width() - 1, tile.height() / 2}}) {
                const uint8_t* p = picture.at(static_cast<int>(col * map.tileWidth()) + x,
                                              static_cast<int>(row * map.tileHeight()) + y);
                const Rgb c = tile.at(x, y);
                ASSERT_EQ(p[0], c.r);
                ASSERT_EQ(p[1], c.g);
                ASSERT_EQ(p[2], c.b);
                ASSERT_EQ(p[3], 255);  // the map has no transparency
            }
        }
    const std::string& index = pictures->indexJson;
    EXPECT_NE(index.find("\"map\":{\"width\":" + std::to_string(map.pixelWidth()) + ",\"height\":" +
                         std::to_string(map.pixelHeight())),
              std::string::npos);
    std::string actors = "\"actors\":[";
    for (size_t i = 0; i < pictures->actorSheets.size(); ++i)
        actors += (i ? "," : "") + std::to_string(pictures->actorSheets[i]);
    EXPECT_NE(index.find(actors + "]"), std::string::npos);
}

TEST(WorldPictures, AMissingFileIsNamed) {
    test::TempDir empty;
    WorldPictures pictures;
    std::string error;
    EXPECT_FALSE(pictures.build(empty.path(), error));
    EXPECT_NE(error.find("test2.tle"), std::string::npos) << error;
}

}  // namespace
}  // namespace ocre::relay
