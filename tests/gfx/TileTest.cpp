#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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
        file = std::fopen(dir.file("t.tle").c_str(), "rb");
        return file;
    }
    void TearDown() override {
        if (file) std::fclose(file);
        test::WithOpenDisplay::TearDown();
    }
    test::TempDir dir;
    std::FILE* file = nullptr;
};

TEST_F(TileFile, SkipCountsTwoCompleteRecordsAndIgnoresStrayBytes) {
    Bytes b;
    record(b, 2, 1, 0, 1).u32(0).u32(0);
    record(b, 2, 1, 0, 1).u32(0).u32(0);
    b.text("12345");
    std::FILE* f = open(b);
    EXPECT_EQ(skipTile(f), 1);
    EXPECT_EQ(skipTile(f), 1);
    EXPECT_EQ(skipTile(f), -1);
}

TEST_F(TileFile, SkipRefusesZeroSizedAndShortRecords) {
    Bytes zero;
    record(zero, 3, 0, 0, 1);
    record(zero, 1, 1, 0, 1).u32(0);
    EXPECT_EQ(skipTile(open(zero)), -1);
    std::fclose(file);

    Bytes shortBlock;
    record(shortBlock, 2, 1, 0, 1).u32(0).u8(0).u8(0).u8(0);  // one byte short
    EXPECT_EQ(skipTile(open(shortBlock)), -1);
}

TEST_F(TileFile, SkipRefusesNegativeSizesWhoseProductLooksPositive) {
    Bytes b;
    record(b, -1, -1, 0, 1).u32(0);
    EXPECT_EQ(skipTile(open(b)), -1);
}

TEST_F(TileFile, ReadFillsFlagsAndPixelsIgnoringTheFourthByte) {
    Bytes b;
    record(b, 2, 1, 2, 1).u8(255).u8(0).u8(0).u8(77).u8(0).u8(0).u8(0).u8(0);
    Tile tile;
    EXPECT_EQ(readTile(tile, open(b)), 1);
    EXPECT_EQ(tile.width, 2);
    EXPECT_EQ(tile.height, 1);
    EXPECT_EQ(tile.spare1, 7);
    EXPECT_EQ(tile.transparent, 2);
    EXPECT_EQ(tile.walkable, 1);
    SDL_Surface* s = tile.surface->sdlSurface();
    EXPECT_EQ(pixelAt(s, 0, 0), SDL_MapRGB(s->format, 255, 0, 0));
    // Transparent byte 2 is not "set": black stays opaque.
    EXPECT_FALSE(s->flags & SDL_SRCCOLORKEY);
}

TEST_F(TileFile, TransparentByteOneKeysBlack) {
    Bytes b;
    record(b, 1, 1, 1, 0).u32(0);
    Tile tile;
    readTile(tile, open(b));
    EXPECT_TRUE(tile.surface->sdlSurface()->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(tile.walkable, 0);
}

TEST_F(TileFile, ShortPixelBlockRepeatsThePreviousPixel) {
    Bytes b;
    record(b, 3, 1, 0, 1).u8(10).u8(20).u8(30).u8(0).u8(40);
    Tile tile;
    readTile(tile, open(b));
    SDL_Surface* s = tile.surface->sdlSurface();
    EXPECT_EQ(pixelAt(s, 1, 0), SDL_MapRGB(s->format, 40, 20, 30));
    EXPECT_EQ(pixelAt(s, 2, 0), SDL_MapRGB(s->format, 40, 20, 30));
}

TEST_F(TileFile, ReadAtEndOfFileReportsMinusOne) {
    Bytes empty;
    Tile tile;
    EXPECT_EQ(readTile(tile, open(empty)), -1);
    EXPECT_EQ(tile.width, 0);
}

}  // namespace
}  // namespace ocre
