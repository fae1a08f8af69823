#pragma once
// The drawing interface the rest of the server draws through, without
// naming SDL. DisplaySDL is its one implementation.

#include <cstdint>

namespace ocre {

class SurfaceSDL;

// What drawText needs of a bitmap font: glyph sizes and, per byte value,
// a glyph image or none. The dialogue font implements it.
class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    virtual uint32_t glyphHeight() const = 0;
    virtual uint32_t glyphWidth() const = 0;
    virtual SurfaceSDL* glyph(unsigned char c) const = 0;
};

// The server draws nothing at run time; the client and the tools draw with
// clear, present, setClip, drawSurface and drawText. The other operations
// (the two nops, putPixel, clearAndFlip, flip, loadBmp, grabSurface,
// blitSurface) belong to the same display contract for any front end that
// needs them; nothing here calls them.
class Display {
public:
    virtual ~Display() = default;
    virtual void open() = 0;
    virtual void nop() = 0;
    virtual void putPixel(uint32_t x, uint32_t y, int r, int g, int b) = 0;
    virtual void clearAndFlip(int r, int g, int b) = 0;
    virtual void clear(int r, int g, int b) = 0;
    virtual void flip() = 0;
    virtual void present() = 0;
    virtual void nopWithValue(uint32_t value) = 0;
    virtual void loadBmp(const char* path, int32_t* widthOut, int32_t* heightOut) = 0;
    virtual void setClip(int16_t x, int16_t y, uint16_t w, uint16_t h) = 0;
    virtual void drawSurface(SurfaceSDL* surface, int16_t x, int16_t y, uint16_t w, uint16_t h) = 0;
    virtual void grabSurface(SurfaceSDL* surface, int16_t x, int16_t y, uint16_t w, uint16_t h) = 0;
    virtual void blitSurface(SurfaceSDL* surface) = 0;
    virtual void drawText(int32_t x, int32_t y, const char* text, const GlyphSource& font,
                          int32_t rightLimit, int32_t ignored1, int32_t width, int32_t ignored2) = 0;
};

}  // namespace ocre
