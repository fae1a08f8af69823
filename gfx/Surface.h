#pragma once
// Off-screen images: every sprite frame, glyph and tile is one.

#include <cstdint>

struct SDL_Surface;

namespace ocre {

class Surface {
public:
    virtual ~Surface() = default;
    virtual void putPixel(int32_t x, int32_t y, int r, int g, int b) = 0;
    virtual void setColorKey(int r, int g, int b) = 0;
};

class SurfaceSDL : public Surface {
public:
    // Ends the process with "Impossible de créer une SurfaceSDL\n" if SDL
    // cannot create the surface.
    SurfaceSDL(uint32_t flags, int32_t width, int32_t height, int32_t bitsPerPixel);
    ~SurfaceSDL() override;
    SurfaceSDL(const SurfaceSDL&) = delete;
    SurfaceSDL& operator=(const SurfaceSDL&) = delete;

    void putPixel(int32_t x, int32_t y, int r, int g, int b) override;
    void setColorKey(int r, int g, int b) override;

    SDL_Surface* sdlSurface() const { return surface_; }

private:
    SDL_Surface* surface_;
};

// Writes one pixel value at (x, y) of any 1- to 4-byte surface; the caller
// has checked the bounds. Shared by the display and the surfaces.
void writePixelValue(SDL_Surface* surface, uint32_t x, uint32_t y, uint32_t value);
// The pixel value at (x, y), the same way round.
uint32_t readPixelValue(const SDL_Surface* surface, uint32_t x, uint32_t y);

}  // namespace ocre
