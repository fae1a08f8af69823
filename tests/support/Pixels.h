#pragma once
// Reading back what was drawn: a pixel of a surface of any depth.

#include <SDL.h>

#include <cstdint>

namespace ocre::test {

// The pixel's value in the surface's own format.
inline uint32_t pixelAt(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);  // so that an RLE-accelerated surface reads too
    const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
    uint32_t value = 0;
    switch (surface->format->BytesPerPixel) {
        case 1: value = row[x]; break;
        case 2: value = reinterpret_cast<const uint16_t*>(row)[x]; break;
        case 3: value = row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16; break;
        default: value = reinterpret_cast<const uint32_t*>(row)[x];
    }
    SDL_UnlockSurface(surface);
    return value;
}

// The pixel's colour as 0xRRGGBB.
inline uint32_t colourAt(SDL_Surface* surface, int x, int y) {
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(pixelAt(surface, x, y), surface->format, &r, &g, &b);
    return uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}

}  // namespace ocre::test
