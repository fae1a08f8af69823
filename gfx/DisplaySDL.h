#pragma once
// The server's one window, on SDL 1.2 video. Constructing it initialises
// SDL (timer and video); destroying it shuts all of SDL down, so it brackets
// every other use of SDL in the process.

#include "gfx/Display.h"

struct SDL_Surface;

namespace ocre {

class DisplaySDL : public Display {
public:
    DisplaySDL(int32_t width, int32_t height, int32_t depth);
    ~DisplaySDL() override;

    void open() override;
    void nop() override;
    void putPixel(uint32_t x, uint32_t y, int r, int g, int b) override;
    void clearAndFlip(int r, int g, int b) override;
    void clear(int r, int g, int b) override;
    void flip() override;
    void present() override;
    void nopWithValue(uint32_t value) override;
    void loadBmp(const char* path, int32_t* widthOut, int32_t* heightOut) override;
    void setClip(int16_t x, int16_t y, uint16_t w, uint16_t h) override;
    void drawSurface(SurfaceSDL* surface, int16_t x, int16_t y, uint16_t w, uint16_t h) override;
    void grabSurface(SurfaceSDL* surface, int16_t x, int16_t y, uint16_t w, uint16_t h) override;
    void blitSurface(SurfaceSDL* surface) override;
    void drawText(int32_t x, int32_t y, const char* text, const GlyphSource& font,
                  int32_t rightLimit, int32_t ignored1, int32_t width, int32_t ignored2) override;

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

private:
    int32_t width_;
    int32_t height_;
};

// A width x height surface at the screen's current depth (so only after
// open). Null only if the object itself cannot be allocated.
SurfaceSDL* createSurface(int32_t width, int32_t height);

// The process-wide video surface (null until open).
SDL_Surface* displayScreen();

// Tests replace the screen with a surface of a chosen depth.
void setDisplayScreenForTesting(SDL_Surface* screen);

}  // namespace ocre
