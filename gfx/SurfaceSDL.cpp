#include <SDL.h>

#include "core/Fatal.h"
#include "gfx/Surface.h"

namespace ocre {

namespace {
constexpr const char* kCannotCreateSurface = "Impossible de cr\xE9" "er une SurfaceSDL\n";
constexpr Uint32 kColorKeyWithRle = SDL_SRCCOLORKEY | SDL_RLEACCEL;
}  // namespace

uint32_t readPixelValue(const SDL_Surface* surface, uint32_t x, uint32_t y) {
    const auto* row = static_cast<const Uint8*>(surface->pixels) + surface->pitch * y;
    switch (surface->format->BytesPerPixel) {
        case 1: return row[x];
        case 2: return reinterpret_cast<const Uint16*>(row)[x];
        case 3: return uint32_t{row[3 * x]} | uint32_t{row[3 * x + 1]} << 8 | uint32_t{row[3 * x + 2]} << 16;
        default: return reinterpret_cast<const Uint32*>(row)[x];
    }
}

void writePixelValue(SDL_Surface* surface, uint32_t x, uint32_t y, uint32_t value) {
    auto* pixels = static_cast<Uint8*>(surface->pixels);
    const uint32_t pitch = surface->pitch;
    switch (surface->format->BytesPerPixel) {
        case 1:
            pixels[pitch * y + x] = static_cast<Uint8>(value);
            break;
        case 2:
            reinterpret_cast<Uint16*>(pixels)[(pitch * y) / 2 + x] = static_cast<Uint16>(value);
            break;
        case 3: {
            Uint8* p = pixels + pitch * y + 3 * x;
            p[0] = static_cast<Uint8>(value);
            p[1] = static_cast<Uint8>(value >> 8);
            p[2] = static_cast<Uint8>(value >> 16);
            break;
        }
        case 4:
            reinterpret_cast<Uint32*>(pixels)[(pitch * y) / 4 + x] = value;
            break;
        default:
            break;
    }
}

SurfaceSDL::SurfaceSDL(uint32_t flags, int32_t width, int32_t height, int32_t bitsPerPixel)
    : surface_(SDL_CreateRGBSurface(flags, width, height, bitsPerPixel, 0, 0, 0, 0)) {
    if (surface_ == nullptr) fatal(kCannotCreateSurface);
}

SurfaceSDL::~SurfaceSDL() { SDL_FreeSurface(surface_); }

void SurfaceSDL::putPixel(int32_t x, int32_t y, int r, int g, int b) {
    Uint32 value = SDL_MapRGB(surface_->format, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b));
    if (x < 0 || y < 0 || x >= surface_->w || y >= surface_->h) return;
    writePixelValue(surface_, static_cast<uint32_t>(x), static_cast<uint32_t>(y), value);
}

void SurfaceSDL::setColorKey(int r, int g, int b) {
    SDL_SetColorKey(surface_, kColorKeyWithRle,
                    SDL_MapRGB(surface_->format, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b)));
}

}  // namespace ocre
