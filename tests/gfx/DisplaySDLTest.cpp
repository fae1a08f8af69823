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

TEST_P(PutPixelOnDepth, WritesInsideTheDisplayAndNothingOutside) {
    const int bpp = GetParam();
    // The display is 4 x 3 but its screen is larger: the display's own size bounds the writes.
    DisplaySDL display(4, 3, bpp);
    SDL_Surface* screen = SDL_CreateRGBSurface(0, 6, 5, bpp, 0, 0, 0, 0);
    ASSERT_NE(screen, nullptr);
    test::giveBlackAndWhitePalette(screen);
    SDL_FillRect(screen, nullptr, 0);
    setDisplayScreenForTesting(screen);

    const uint32_t white = SDL_MapRGB(screen->format, 255, 255, 255);
    display.putPixel(3, 2, 255, 255, 255);
    display.putPixel(0, 0, 255, 255, 255);
    display.putPixel(4, 0, 255, 255, 255);
    display.putPixel(0, 3, 255, 255, 255);
    display.putPixel(static_cast<uint32_t>(-1), 1, 255, 255, 255);

    EXPECT_EQ(pixelAt(screen, 3, 2), white);
    EXPECT_EQ(pixelAt(screen, 0, 0), white);
    int written = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) written += pixelAt(screen, x, y) != 0;
    EXPECT_EQ(written, 2);

    setDisplayScreenForTesting(nullptr);
    SDL_FreeSurface(screen);
}

INSTANTIATE_TEST_SUITE_P(AllDepths, PutPixelOnDepth, testing::Values(8, 16, 24, 32));

TEST(DisplaySDL, TwentyFourBitPixelsAreStoredLowestByteFirst) {
    DisplaySDL display(2, 1, 24);
    SDL_Surface* screen = SDL_CreateRGBSurface(0, 2, 1, 24, 0, 0, 0, 0);
    SDL_FillRect(screen, nullptr, 0);
    setDisplayScreenForTesting(screen);
    display.putPixel(1, 0, 0x11, 0x22, 0x33);
    const uint32_t value = SDL_MapRGB(screen->format, 0x11, 0x22, 0x33);
    const auto* bytes = static_cast<const uint8_t*>(screen->pixels) + 3;
    EXPECT_EQ(bytes[0], value & 0xFF);
    EXPECT_EQ(bytes[1], (value >> 8) & 0xFF);
    EXPECT_EQ(bytes[2], (value >> 16) & 0xFF);
    setDisplayScreenForTesting(nullptr);
    SDL_FreeSurface(screen);
}

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

TEST(DisplaySDLText, AdvancesTwoFifthsOfTheWidthAndBreaksAfterTheCrossingGlyph) {
    RecordingDisplay display;
    SixteenPixelFont font;
    // Break when cx > 30 - 16 + 0 = 14: glyphs at 0 and 6, then 12 crosses.
    display.drawText(0, 100, "abcd", font, 30, 0, 0, 0);
    std::vector<std::pair<int, int>> at;
    for (auto& d : display.draws) at.push_back(d.second);
    EXPECT_EQ(at, (std::vector<std::pair<int, int>>{{0, 100}, {6, 100}, {12, 100}, {0, 112}}));
}

TEST(DisplaySDLText, MissingGlyphsTakeNoSpaceAndEmptyTextDrawsNothing) {
    RecordingDisplay display;
    SixteenPixelFont font;
    display.drawText(10, 0, "", font, 640, 0, 0, 0);
    EXPECT_TRUE(display.draws.empty());
    display.drawText(10, 0, "a??b", font, 640, 0, 0, 0);
    ASSERT_EQ(display.draws.size(), 2u);
    EXPECT_EQ(display.draws[1].second, (std::pair<int, int>{16, 0}));
}

class LoadBmp : public test::WithOpenDisplay {
protected:
    std::string writeBmp() {
        SDL_Surface* image = SDL_CreateRGBSurface(0, 5, 3, 24, 0, 0, 0, 0);
        SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, 0, 0, 255));
        std::string path = dir.file("image.bmp");
        SDL_SaveBMP(image, path.c_str());
        SDL_FreeSurface(image);
        return path;
    }
    test::TempDir dir;
};

TEST_F(LoadBmp, WithSizePointersAnnouncesAndReadsTheSize) {
    const std::string path = writeBmp();
    int32_t width = 0, height = 0;
    testing::internal::CaptureStderr();
    display->loadBmp(path.c_str(), &width, &height);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "je lis le bmp\n");
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 3);
    EXPECT_EQ(pixelAt(displayScreen(), 4, 2), SDL_MapRGB(displayScreen()->format, 0, 0, 255));
}

TEST_F(LoadBmp, WithoutSizePointersPrintsNothing) {
    const std::string path = writeBmp();
    int32_t width = 0;
    testing::internal::CaptureStderr();
    display->loadBmp(path.c_str(), &width, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(width, 0);
    EXPECT_EQ(pixelAt(displayScreen(), 0, 0), SDL_MapRGB(displayScreen()->format, 0, 0, 255));
}

TEST_F(LoadBmp, MissingFileWithSizePointersIsFatal) {
    auto result = test::runInChild([this] {
        int32_t w, h;
        display->loadBmp("/nonexistent/x.bmp", &w, &h);
    });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.err, "je lis le bmp\nerreur d'ouverture du fichier /nonexistent/x.bmp");
}

TEST_F(LoadBmp, MissingFileWithoutSizePointersDrawsNothing) {
    SDL_FillRect(displayScreen(), nullptr, 0);
    display->loadBmp("/nonexistent/x.bmp", nullptr, nullptr);
    EXPECT_EQ(pixelAt(displayScreen(), 0, 0), 0u);
}

}  // namespace
}  // namespace ocre
