#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gfx/DisplaySDL.h"
#include "gfx/Surface.h"
#include "tests/gfx/GfxTestSupport.h"
#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

using test::pixelAt;

class PutPixelOnDepth : public testing::TestWithParam<int> {};

// 24-bit pixels are read back lowest byte first, so the colour also checks
// their byte order; 8-bit screens have only black and white.
TEST_P(PutPixelOnDepth, WritesInsideTheDisplayAndNothingOutside) {
    const int bpp = GetParam();
    // The display is 4 x 3 but its screen is larger: the display's own size bounds the writes.
    DisplaySDL display(4, 3, bpp);
    SDL_Surface* screen = SDL_CreateRGBSurface(0, 6, 5, bpp, 0, 0, 0, 0);
    ASSERT_NE(screen, nullptr);
    test::giveBlackAndWhitePalette(screen);
    SDL_FillRect(screen, nullptr, 0);
    setDisplayScreenForTesting(screen);
    const uint8_t r = bpp == 8 ? 255 : 0x11, g = bpp == 8 ? 255 : 0x22, b = bpp == 8 ? 255 : 0x33;
    for (const auto& [x, y] : {std::pair{3u, 2u}, {0u, 0u}, {4u, 0u}, {0u, 3u}, {~0u, 1u}}) display.putPixel(x, y, r, g, b);
    EXPECT_EQ(pixelAt(screen, 3, 2), SDL_MapRGB(screen->format, r, g, b));
    EXPECT_EQ(pixelAt(screen, 0, 0), SDL_MapRGB(screen->format, r, g, b));
    int written = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) written += pixelAt(screen, x, y) != 0;
    EXPECT_EQ(written, 2);
    setDisplayScreenForTesting(nullptr);
    SDL_FreeSurface(screen);
}

INSTANTIATE_TEST_SUITE_P(AllDepths, PutPixelOnDepth, testing::Values(8, 16, 24, 32));

TEST(DisplaySDL, FailedInitialisationIsFatal) {
    auto result = test::runInChild([] {
        setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
        DisplaySDL display(640, 480, 32);
    });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "impossible d'initialiser la SDL");
}

TEST(DisplaySDL, OpenGivesAScreenAndSurfacesInItsFormat) {
    DisplaySDL display(640, 480, 32);
    display.open();
    ASSERT_NE(displayScreen(), nullptr);
    EXPECT_EQ(displayScreen()->w, 640);
    std::unique_ptr<SurfaceSDL> surface(createSurface(5, 7));
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->sdlSurface()->w, 5);
    EXPECT_EQ(surface->sdlSurface()->format->BitsPerPixel, displayScreen()->format->BitsPerPixel);
}

// Records where glyphs land instead of blitting them.
class RecordingDisplay : public DisplaySDL {
public:
    RecordingDisplay() : DisplaySDL(640, 480, 32) {}
    void drawSurface(SurfaceSDL* surface, int16_t x, int16_t y, uint16_t, uint16_t) override {
        draws.push_back({surface, {x, y}});
    }
    std::vector<std::pair<SurfaceSDL*, std::pair<int, int>>> draws;
};

class SixteenPixelFont : public GlyphSource {
public:
    SixteenPixelFont() : glyph_(0, 16, 16, 32) {}
    uint32_t glyphHeight() const override { return 16; }
    uint32_t glyphWidth() const override { return 16; }
    SurfaceSDL* glyph(unsigned char c) const override { return c == '?' ? nullptr : &glyph_; }

private:
    mutable SurfaceSDL glyph_;
};

TEST(DisplaySDLText, AdvancesTwoFifthsOfTheWidthBreaksAfterTheCrossingGlyphAndSkipsMissingGlyphs) {
    RecordingDisplay display;
    SixteenPixelFont font;
    const auto drawn = [&](int32_t x, const char* text, int32_t rightLimit) {
        display.draws.clear();
        display.drawText(x, 100, text, font, rightLimit, 0, 0, 0);
        std::vector<std::pair<int, int>> at;
        for (auto& d : display.draws) at.push_back(d.second);
        return at;
    };
    using At = std::vector<std::pair<int, int>>;
    // Break when cx > 30 - 16 + 0 = 14: glyphs at 0 and 6, then 12 crosses.
    EXPECT_EQ(drawn(0, "abcd", 30), (At{{0, 100}, {6, 100}, {12, 100}, {0, 112}}));
    EXPECT_EQ(drawn(10, "", 640), At{});
    EXPECT_EQ(drawn(10, "a??b", 640), (At{{10, 100}, {16, 100}}));
}

// With size pointers it announces itself on standard error and reads the
// size; without, it is silent and a missing file draws nothing.
class LoadBmp : public test::WithOpenDisplay {
protected:
    test::TempDir dir;
};

TEST_F(LoadBmp, DrawsTheImageAndReadsItsSizeOnlyWithBothPointers) {
    SDL_Surface* image = SDL_CreateRGBSurface(0, 5, 3, 24, 0, 0, 0, 0);
    SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, 0, 0, 255));
    const std::string path = dir.file("image.bmp");
    SDL_SaveBMP(image, path.c_str());
    SDL_FreeSurface(image);
    const uint32_t blue = SDL_MapRGB(displayScreen()->format, 0, 0, 255);
    int32_t width = 0, height = 0;
    testing::internal::CaptureStderr();
    display->loadBmp(path.c_str(), &width, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(width, 0);
    EXPECT_EQ(pixelAt(displayScreen(), 0, 0), blue);
    SDL_FillRect(displayScreen(), nullptr, 0);
    testing::internal::CaptureStderr();
    display->loadBmp(path.c_str(), &width, &height);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "je lis le bmp\n");
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(5, 3));
    EXPECT_EQ(pixelAt(displayScreen(), 4, 2), blue);
}

TEST_F(LoadBmp, AMissingFileIsFatalWithSizePointersAndDrawsNothingWithout) {
    SDL_FillRect(displayScreen(), nullptr, 0);
    display->loadBmp("/nonexistent/x.bmp", nullptr, nullptr);
    EXPECT_EQ(pixelAt(displayScreen(), 0, 0), 0u);
    auto result = test::runInChild([this] {
        int32_t w, h;
        display->loadBmp("/nonexistent/x.bmp", &w, &h);
    });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.err, "je lis le bmp\nerreur d'ouverture du fichier /nonexistent/x.bmp");
}

}  // namespace
}  // namespace ocre
