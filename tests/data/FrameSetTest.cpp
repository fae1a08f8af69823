#include "data/FrameSet.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "tests/data/LoaderTest.h"
#include "tests/support/Pixels.h"

namespace ocre {
namespace {

using FrameSetTest = test::LoaderTest;

using test::pixelAt;

uint32_t onScreen(uint8_t r, uint8_t g, uint8_t b) { return SDL_MapRGB(displayScreen()->format, r, g, b); }

TEST_F(FrameSetTest, LoadsFramesWithBlackTransparentAndTheirBoxesOrNoFrameAtAll) {
    // The fourth byte of each pixel is ignored, whatever it holds.
    const test::File pixels = {255, 0, 0, 77, 0, 0, 0, 9, 0, 0, 255, 1, 0, 255, 0, 255};
    FrameSet set;
    set.load(write("two.spr", test::spriteFile(2, 3, 2, 1, pixels, {0, 0, 1, 0, 1, 2, 3, ~0u})).c_str());
    EXPECT_EQ(std::vector<uint32_t>({set.frameCount, set.frameDelay, set.width, set.height}),
              std::vector<uint32_t>({2, 3, 2, 1}));
    ASSERT_TRUE(set.frames.size() == 2 && set.boxes.size() == 2);
    SDL_Surface* screen = displayScreen();
    SDL_FillRect(screen, nullptr, onScreen(0, 0, 255));
    SDL_Rect at{0, 0, 2, 1};
    ASSERT_EQ(SDL_BlitSurface(set.frames[0]->sdlSurface(), nullptr, screen, &at), 0);
    EXPECT_EQ(pixelAt(screen, 0, 0), onScreen(255, 0, 0));
    EXPECT_EQ(pixelAt(screen, 1, 0), onScreen(0, 0, 255));
    EXPECT_EQ(pixelAt(set.frames[1]->sdlSurface(), 0, 0), onScreen(0, 0, 255));
    EXPECT_EQ(pixelAt(set.frames[1]->sdlSurface(), 1, 0), onScreen(0, 255, 0));

    const BoundingBox& box = *set.boxes[1];
    EXPECT_EQ(std::vector<int32_t>({box.left, box.top, box.right, box.bottom}), std::vector<int32_t>({1, 2, 3, -1}));

    set.load(write("empty.spr", test::spriteFile(0, 5, 4, 4, {}, {})).c_str());
    EXPECT_EQ(std::vector<uint32_t>({set.frameCount, set.frameDelay, set.width, set.height}),
              std::vector<uint32_t>({0, 5, 4, 4}));
    EXPECT_TRUE(set.frames.empty() && set.boxes.empty());
}

// Frames of no pixel: the file holds only their boxes, and the loader reads
// nothing more however tall they claim to be.
TEST_F(FrameSetTest, FramesOfZeroWidthLoadWithTheirBoxesWhateverTheirHeight) {
    constexpr uint16_t kFrames = 2000;
    std::vector<uint32_t> boxes(size_t{4} * kFrames, 0);
    boxes.back() = 7;
    FrameSet set;
    set.load(write("flat.spr", test::spriteFile(kFrames, 0, 0, 0xFFFF, {}, boxes)).c_str());
    EXPECT_EQ(std::vector<uint32_t>({set.frameCount, set.width, set.height}),
              std::vector<uint32_t>({kFrames, 0, 0xFFFF}));
    ASSERT_EQ(set.boxes.size(), size_t{kFrames});
    EXPECT_EQ(set.boxes.back()->bottom, 7);
}

TEST_F(FrameSetTest, FileShorterThanItsHeaderSaysIsRefusedAndTooWideFrameEndsTheProcess) {
    const test::File valid = test::plainSprite(2, 3, 2);
    std::vector<test::File> versions;
    for (size_t length : {size_t{0}, size_t{6}, size_t{8 + 47}, valid.size() - 16, valid.size() - 1})
        versions.emplace_back(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length));
    // 65535 frames of 65535 x 65535 pixels claimed by an 8-byte file.
    versions.push_back(test::spriteFile(0xFFFF, 0, 0xFFFF, 0xFFFF, {}, {}));
    const std::string path = dir.file("cut.spr");
    for (const test::File& bytes : versions) {
        SCOPED_TRACE(bytes.size());
        test::writeFile(path, bytes);
        EXPECT_TRUE(test::diesWith([&] { FrameSet().load(path.c_str()); }, "fichier trop court " + path));
    }
    write("cut.spr", test::plainSprite(1, 20000, 1));
    EXPECT_TRUE(test::diesWith([&] { FrameSet().load(path.c_str()); }, "Impossible de cr\xE9" "er une SurfaceSDL\n"));
}

}  // namespace
}  // namespace ocre
