#include <SDL.h>
#include <gtest/gtest.h>

#include "gfx/Surface.h"
#include "tests/gfx/GfxTestSupport.h"

namespace ocre {
namespace {

using test::pixelAt;

class SurfaceOnDepth : public testing::TestWithParam<int> {};

TEST_P(SurfaceOnDepth, PutPixelWritesOnlyInsideTheSurface) {
    SurfaceSDL surface(0, 3, 2, GetParam());
    SDL_Surface* s = surface.sdlSurface();
    test::giveBlackAndWhitePalette(s);
    SDL_FillRect(s, nullptr, 0);
    surface.putPixel(2, 1, 255, 255, 255);
    surface.putPixel(3, 0, 255, 255, 255);
    surface.putPixel(0, 2, 255, 255, 255);
    surface.putPixel(-1, 0, 255, 255, 255);
    surface.putPixel(0, -1, 255, 255, 255);
    int written = 0;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) written += pixelAt(s, x, y) != 0;
    EXPECT_EQ(written, 1);
    EXPECT_EQ(pixelAt(s, 2, 1), SDL_MapRGB(s->format, 255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(AllDepths, SurfaceOnDepth, testing::Values(8, 16, 24, 32));

TEST(SurfaceSDL, ColorKeyMakesBlackTransparentWithRunLengthAcceleration) {
    SurfaceSDL surface(0, 2, 2, 32);
    surface.setColorKey(0, 0, 0);
    EXPECT_TRUE(surface.sdlSurface()->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(surface.sdlSurface()->format->colorkey, SDL_MapRGB(surface.sdlSurface()->format, 0, 0, 0));
}

}  // namespace
}  // namespace ocre
