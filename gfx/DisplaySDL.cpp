#include "gfx/DisplaySDL.h"

#include <SDL.h>

#include <cstdio>
#include <new>

#include "core/Fatal.h"
#include "core/LittleEndian.h"
#include "gfx/Surface.h"

namespace ocre {

namespace {

constexpr Uint32 kAnyFormatFlags = 0x10000000;  // SDL_ANYFORMAT
constexpr Uint32 kTimerAndVideo = SDL_INIT_TIMER | SDL_INIT_VIDEO;
constexpr const char* kSdlInitFailed = "impossible d'initialiser la SDL";
constexpr const char* kVideoModeFailed = "Impossible d'initialiser le mode graphique : %s.\n";
constexpr const char* kReadingBmp = "je lis le bmp\n";
constexpr const char* kBmpOpenFailed = "erreur d'ouverture du fichier %s";
constexpr long kBmpWidthOffset = 18;

// One display per process: SDL 1.2 has one video surface.
SDL_Surface* screen = nullptr;
int32_t videoDepth = 0;
Uint32 videoFlags = 0;
Uint32 surfaceFlags = 0;

SDL_Rect rect(int16_t x, int16_t y, uint16_t w, uint16_t h) {
    SDL_Rect r;
    r.x = x;
    r.y = y;
    r.w = w;
    r.h = h;
    return r;
}

}  // namespace

DisplaySDL::DisplaySDL(int32_t width, int32_t height, int32_t depth) : width_(width), height_(height) {
    videoDepth = depth;
    videoFlags = kAnyFormatFlags;
    surfaceFlags = kAnyFormatFlags;
    if (SDL_Init(kTimerAndVideo) == -1) fatal(kSdlInitFailed);
}

DisplaySDL::~DisplaySDL() {
    screen = nullptr;
    SDL_Quit();
}

void DisplaySDL::open() {
    screen = SDL_SetVideoMode(width_, height_, videoDepth, videoFlags);
    if (screen == nullptr) fatalf(stdout, kVideoModeFailed, SDL_GetError());
    SDL_ShowCursor(0);
}

void DisplaySDL::nop() {}

void DisplaySDL::putPixel(uint32_t x, uint32_t y, int r, int g, int b) {
    Uint32 value = SDL_MapRGB(screen->format, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b));
    // The bounds are the display's own size, not the surface's.
    if (x >= static_cast<uint32_t>(width_) || y >= static_cast<uint32_t>(height_)) return;
    writePixelValue(screen, x, y, value);
}

void DisplaySDL::clearAndFlip(int r, int g, int b) {
    clear(r, g, b);
    SDL_Flip(screen);
}

void DisplaySDL::clear(int r, int g, int b) {
    SDL_FillRect(screen, nullptr,
                 SDL_MapRGBA(screen->format, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b), 0));
}

void DisplaySDL::flip() { SDL_Flip(screen); }

void DisplaySDL::present() { SDL_Flip(screen); }

void DisplaySDL::nopWithValue(uint32_t) {}

void DisplaySDL::loadBmp(const char* path, int32_t* widthOut, int32_t* heightOut) {
    if (widthOut != nullptr && heightOut != nullptr) {
        std::fputs(kReadingBmp, stderr);
        std::FILE* file = std::fopen(path, "rb");
        if (file == nullptr) fatalf(stderr, kBmpOpenFailed, path);
        std::fseek(file, kBmpWidthOffset, SEEK_SET);
        *widthOut = 0;
        *heightOut = 0;
        readLittleEndianInt32(file, *widthOut);
        readLittleEndianInt32(file, *heightOut);
        std::fclose(file);
    }
    SDL_Surface* image = SDL_LoadBMP_RW(SDL_RWFromFile(path, "rb"), 1);
    // An unreadable image draws nothing rather than crashing the blit.
    if (image == nullptr) return;
    if (image->format->BytesPerPixel < 2 && image->format->palette != nullptr) {
        SDL_SetPalette(screen, SDL_LOGPAL | SDL_PHYSPAL, image->format->palette->colors, 0,
                       image->format->palette->ncolors);
    }
    SDL_Rect at = rect(0, 0, 0, 0);
    SDL_UpperBlit(image, nullptr, screen, &at);
    SDL_Flip(screen);
    SDL_FreeSurface(image);
}

void DisplaySDL::setClip(int16_t x, int16_t y, uint16_t w, uint16_t h) {
    SDL_Rect clip = rect(x, y, w, h);
    SDL_SetClipRect(screen, &clip);
}

void DisplaySDL::drawSurface(SurfaceSDL* surface, int16_t x, int16_t y, uint16_t w, uint16_t h) {
    SDL_Rect at = rect(x, y, w, h);
    SDL_UpperBlit(surface->sdlSurface(), nullptr, screen, &at);
}

void DisplaySDL::grabSurface(SurfaceSDL* surface, int16_t x, int16_t y, uint16_t w, uint16_t h) {
    SDL_Rect from = rect(x, y, w, h);
    SDL_Rect at = rect(0, 0, 0, 0);
    SDL_UpperBlit(screen, &from, surface->sdlSurface(), &at);
}

void DisplaySDL::blitSurface(SurfaceSDL* surface) {
    SDL_Rect at = rect(0, 0, 0, 0);
    SDL_UpperBlit(surface->sdlSurface(), nullptr, screen, &at);
}

void DisplaySDL::drawText(int32_t x, int32_t y, const char* text, const GlyphSource& font, int32_t rightLimit,
                          int32_t, int32_t width, int32_t) {
    const int32_t w = static_cast<int32_t>(font.glyphWidth());
    const int32_t h = static_cast<int32_t>(font.glyphHeight());
    int32_t cx = x;
    int32_t cy = y;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c != 0; ++c) {
        SurfaceSDL* glyph = font.glyph(*c);
        if (glyph == nullptr) continue;
        drawSurface(glyph, static_cast<int16_t>(cx), static_cast<int16_t>(cy), static_cast<uint16_t>(w),
                    static_cast<uint16_t>(h));
        cx += (2 * w) / 5;
        if (cx > rightLimit - w + width) {
            cx = x;
            cy += (3 * h) / 4;
        }
    }
}

SurfaceSDL* createSurface(int32_t width, int32_t height) {
    return new (std::nothrow) SurfaceSDL(surfaceFlags, width, height, screen->format->BitsPerPixel);
}

SDL_Surface* displayScreen() { return screen; }

void setDisplayScreenForTesting(SDL_Surface* replacement) { screen = replacement; }

}  // namespace ocre
