#include "tools/data/HeadlessVideo.h"

#include <SDL.h>

#include <cstdlib>

namespace ocre {
namespace {

constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;
constexpr int32_t kScreenDepth = 32;

uint32_t pixelValue(const SDL_Surface* s, int x, int y) {
    const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
    switch (s->format->BytesPerPixel) {
        case 1: return row[x];
        case 2: return reinterpret_cast<const uint16_t*>(row)[x];
        case 3: return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
        default: return reinterpret_cast<const uint32_t*>(row)[x];
    }
}

}  // namespace

HeadlessVideo::HeadlessVideo() {
    // A tool never needs a window; the dummy driver works without a screen.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    display_ = std::make_unique<DisplaySDL>(kScreenWidth, kScreenHeight, kScreenDepth);
    display_->open();
}

PixelImage imageOfSurface(const SurfaceSDL& surface) {
    SDL_Surface* s = surface.sdlSurface();
    if (!s) return PixelImage();
    PixelImage image(s->w, s->h);
    // Locking undoes the run-length encoding of colour-keyed surfaces.
    if (SDL_LockSurface(s) != 0) return image;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Rgb c;
            SDL_GetRGB(pixelValue(s, x, y), s->format, &c.r, &c.g, &c.b);
            image.set(x, y, c);
        }
    SDL_UnlockSurface(s);
    return image;
}

}  // namespace ocre
