#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "gfx/Tile.h"
#include "tests/gfx/GfxTestSupport.h"
#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

using test::Bytes;
using test::pixelAt;

Bytes& record(Bytes& b, int32_t w, int32_t h, uint8_t transparent, uint8_t walkable) {
    return b.i32(w).i32(h).u8(7).u8(transparent).u8(8).u8(9).u8(walkable);
}

class TileFile : public test::WithOpenDisplay {
protected:
    std::FILE* open(const Bytes& contents) {
        test::writeFile(dir.file("t.tle"), contents.data());
        file.reset(std::fopen(dir.file("t.tle").c_str(), "rb"));
        return file.get();
    }
    test::TempDir dir;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file{nullptr, std::fclose};
};

// Only complete records of positive sizes count; stray bytes, zero sizes,
// a block one byte short and negative sizes whose product looks positive
// end the table.
TEST_F(TileFile, SkipCountsOnlyCompleteRecords) {
    Bytes two, zero, shortBlock, negative;
    record(two, 2, 1, 0, 1).u32(0).u32(0);
    record(two, 2, 1, 0, 1).u32(0).u32(0).text("12345");
    record(zero, 3, 0, 0, 1);
    record(zero, 1, 1, 0, 1).u32(0);
    record(shortBlock, 2, 1, 0, 1).u32(0).u8(0).u8(0).u8(0);
    record(negative, -1, -1, 0, 1).u32(0);
    const std::pair<const Bytes*, std::vector<int>> rows[] = {
        {&two, {1, 1, -1}}, {&zero, {-1}}, {&shortBlock, {-1}}, {&negative, {-1}}};
    for (const auto& [bytes, answers] : rows) {
        std::FILE* f = open(*bytes);
        std::vector<int> seen;
        for (size_t i = 0; i < answers.size(); ++i) seen.push_back(skipTile(f));
        EXPECT_EQ(seen, answers) << bytes->size() << " bytes";
    }
}

TEST_F(TileFile, ReadFillsFlagsAndPixelsIgnoringTheFourthByteAndRepeatingThePreviousPixelAtAShortBlock) {
    Bytes b;
    record(b, 2, 1, 2, 1).u8(255).u8(0).u8(0).u8(77).u8(0).u8(0).u8(0).u8(0);
    Tile tile;
    EXPECT_EQ(readTile(tile, open(b)), 1);
    EXPECT_EQ(std::vector<int>({tile.width, tile.height, tile.spare1, tile.transparent, tile.walkable}),
              std::vector<int>({2, 1, 7, 2, 1}));
    SDL_Surface* s = tile.surface->sdlSurface();
    EXPECT_EQ(pixelAt(s, 0, 0), SDL_MapRGB(s->format, 255, 0, 0));
    EXPECT_FALSE(s->flags & SDL_SRCCOLORKEY) << "transparent byte 2 is not set: black stays opaque";

    Bytes keyed;
    record(keyed, 1, 1, 1, 0).u32(0);
    readTile(tile, open(keyed));
    EXPECT_TRUE((tile.surface->sdlSurface()->flags & SDL_SRCCOLORKEY) && tile.walkable == 0);

    Bytes cut;
    record(cut, 3, 1, 0, 1).u8(10).u8(20).u8(30).u8(0).u8(40);
    readTile(tile, open(cut));
    s = tile.surface->sdlSurface();
    for (int x : {1, 2}) EXPECT_EQ(pixelAt(s, x, 0), SDL_MapRGB(s->format, 40, 20, 30)) << x;

    Tile fresh;
    EXPECT_TRUE(readTile(fresh, open(Bytes())) == -1 && fresh.width == 0);
}

}  // namespace
}  // namespace ocre
