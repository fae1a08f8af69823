#include "data/FrameSet.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "tests/data/DataFiles.h"

namespace ocre {
namespace {

using test::Box;
using test::Rgbx;

class FrameSetTest : public ::testing::Test {
protected:
    test::OpenDisplay screen;
    test::TempDir dir;
    std::string file(const std::string& name, const test::Bytes& bytes) {
        const std::string path = dir.file(name);
        test::writeFile(path, bytes.data());
        return path;
    }
};

TEST_F(FrameSetTest, LoadsSizesDelayPixelsAndBoxes) {
    const std::string path = file("two.spr", test::spriteFile(3, 2, 1,
                                                              {{Rgbx{255, 0, 0, 77}, Rgbx{0, 255, 0, 0}},
                                                               {Rgbx{0, 0, 255, 1}, Rgbx{255, 0, 0, 255}}},
                                                              {Box{0, 0, 1, 0}, Box{1, 2, 3, 0xFFFFFFFFu}}));
    FrameSet set;
    set.load(path.c_str());

    EXPECT_EQ(set.frameCount, 2u);
    EXPECT_EQ(set.frameDelay, 3u);
    EXPECT_EQ(set.width, 2u);
    EXPECT_EQ(set.height, 1u);
    ASSERT_EQ(set.frames.size(), 2u);
    ASSERT_EQ(set.boxes.size(), 2u);

    SDL_Surface* first = set.frames[0]->sdlSurface();
    ASSERT_EQ(first->format->BytesPerPixel, 4);
    EXPECT_EQ(first->w, 2);
    EXPECT_EQ(first->h, 1);
    // The fourth byte of a pixel has no effect: 255, 0, 0, 77 is pure red.
    EXPECT_EQ(test::pixelAt(first, 0, 0), test::screenColour(255, 0, 0));
    EXPECT_EQ(test::pixelAt(first, 1, 0), test::screenColour(0, 255, 0));
    EXPECT_EQ(test::pixelAt(set.frames[1]->sdlSurface(), 0, 0), test::screenColour(0, 0, 255));
    EXPECT_EQ(test::pixelAt(set.frames[1]->sdlSurface(), 1, 0), test::screenColour(255, 0, 0));

    EXPECT_EQ(set.boxes[0]->right, 1);
    EXPECT_EQ(set.boxes[0]->bottom, 0);
    EXPECT_EQ(set.boxes[1]->left, 1);
    EXPECT_EQ(set.boxes[1]->top, 2);
    EXPECT_EQ(set.boxes[1]->right, 3);
    EXPECT_EQ(static_cast<uint32_t>(set.boxes[1]->bottom), 0xFFFFFFFFu);
}

TEST_F(FrameSetTest, BlackIsTransparentWhenDrawn) {
    const std::string path = file("key.spr", test::spriteFile(0, 2, 1, {{Rgbx{255, 0, 0, 9}, Rgbx{0, 0, 0, 9}}},
                                                              {Box{0, 0, 1, 0}}));
    FrameSet set;
    set.load(path.c_str());

    SDL_Surface* screen = displayScreen();
    SDL_FillRect(screen, nullptr, test::screenColour(0, 0, 255));
    SDL_Rect at{0, 0, 2, 1};
    ASSERT_EQ(SDL_BlitSurface(set.frames[0]->sdlSurface(), nullptr, screen, &at), 0);
    EXPECT_EQ(test::pixelAt(screen, 0, 0), test::screenColour(255, 0, 0));
    EXPECT_EQ(test::pixelAt(screen, 1, 0), test::screenColour(0, 0, 255));
}

TEST_F(FrameSetTest, ZeroFramesLoadsAnEmptySet) {
    const std::string path = file("empty.spr", test::spriteFile(5, 4, 4, {}, {}));
    FrameSet set;
    set.load(path.c_str());
    EXPECT_EQ(set.frameCount, 0u);
    EXPECT_EQ(set.frameDelay, 5u);
    EXPECT_TRUE(set.frames.empty());
    EXPECT_TRUE(set.boxes.empty());
}

TEST_F(FrameSetTest, MissingFileIsFatalWithItsName) {
    const std::string path = dir.file("absent.spr");
    const auto result = test::runInChild([&] { FrameSet().load(path.c_str()); });
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "erreur d'ouverture du fichier " + path);
    EXPECT_EQ(result.err, "");
}

TEST_F(FrameSetTest, FileShorterThanItsHeaderSaysIsRefused) {
    const std::vector<uint8_t> valid = test::plainSprite(2, 3, 2).data();
    const std::vector<size_t> lengths = {0, 6, 8, 8 + 47, valid.size() - 16, valid.size() - 1};
    for (size_t length : lengths) {
        SCOPED_TRACE(length);
        const std::string path = dir.file("cut.spr");
        test::writeFile(path, std::vector<uint8_t>(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length)));
        const auto result = test::runInChild([&] { FrameSet().load(path.c_str()); });
        EXPECT_TRUE(result.exited);
        EXPECT_EQ(result.exitStatus, 255);
        EXPECT_EQ(result.out, "fichier trop court " + path);
    }
}

TEST_F(FrameSetTest, HugeHeaderOverATinyFileIsRefusedBeforeAllocating) {
    // 65535 frames of 65535 x 65535 would be petabytes; the file has 8 bytes.
    test::Bytes header;
    header.u16(0xFFFF).u16(0).u16(0xFFFF).u16(0xFFFF);
    const std::string path = file("huge.spr", header);
    const auto result = test::runInChild([&] { FrameSet().load(path.c_str()); }, 5000);
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "fichier trop court " + path);
}

TEST_F(FrameSetTest, FrameTooWideForASurfaceEndsCleanly) {
    // A complete file whose frame width no 32-bit surface row can hold.
    const std::string path = file("wide.spr", test::plainSprite(1, 20000, 1));
    const auto result = test::runInChild([&] { FrameSet().load(path.c_str()); });
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "Impossible de cr\xE9" "er une SurfaceSDL\n");
}

}  // namespace
}  // namespace ocre
