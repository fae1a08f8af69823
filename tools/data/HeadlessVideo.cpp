#include "tools/data/HeadlessVideo.h"

#include <SDL.h>

#include <cstdlib>

#include "gfx/ScreenSize.h"

namespace ocre {

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
            SDL_GetRGB(readPixelValue(s, static_cast<uint32_t>(x), static_cast<uint32_t>(y)), s->format, &c.r, &c.g, &c.b);
            image.set(x, y, c);
        }
    SDL_UnlockSurface(s);
    return image;
}

}  // namespace ocre
