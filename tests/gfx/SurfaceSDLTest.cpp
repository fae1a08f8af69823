#include <SDL.h>
#include <gtest/gtest.h>

#include "gfx/Surface.h"
#include "tests/gfx/GfxTestSupport.h"

namespace ocre {
namespace {

using test::pixelAt;

// Each depth's pixel layout is the display's test's: both write through the
// same pixel writer.
TEST(SurfaceSDL, PutPixelWritesOnlyInsideTheSurface) {
    SurfaceSDL surface(0, 3, 2, 32);
    SDL_Surface* s = surface.sdlSurface();
    SDL_FillRect(s, nullptr, 0);
    for (const auto& [x, y] : {std::pair{2, 1}, {3, 0}, {0, 2}, {-1, 0}, {0, -1}}) surface.putPixel(x, y, 255, 255, 255);
    int written = 0;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) written += pixelAt(s, x, y) != 0;
    EXPECT_EQ(written, 1);
    EXPECT_EQ(pixelAt(s, 2, 1), SDL_MapRGB(s->format, 255, 255, 255));
}

}  // namespace
}  // namespace ocre
