#pragma once
// A display that draws nothing and records what it is asked to draw, and a
// glyph source of chosen sizes without glyphs: for tests of the code that
// draws through the display interface.

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "gfx/Display.h"

namespace ocre::test {

struct TextCall {
    int32_t x, y;
    std::string text;
    int32_t rightLimit, ignored1, width, ignored2;
    bool operator==(const TextCall& o) const {
        return x == o.x && y == o.y && text == o.text && rightLimit == o.rightLimit && ignored1 == o.ignored1 &&
               width == o.width && ignored2 == o.ignored2;
    }
};

inline std::ostream& operator<<(std::ostream& out, const TextCall& call) {
    return out << "drawText(" << call.x << ", " << call.y << ", \"" << call.text << "\", " << call.rightLimit << ", "
               << call.ignored1 << ", " << call.width << ", " << call.ignored2 << ")";
}

struct SurfaceCall {
    SurfaceSDL* surface;
    int16_t x, y;
    uint16_t w, h;
    std::pair<int, int> at() const { return {x, y}; }
};

class RecordingDisplay : public Display {
public:
    std::vector<TextCall> texts;
    std::vector<SurfaceCall> surfaces;
    std::string order;  // 'T' per text, 'S' per surface, in call order

    void open() override {}
    void nop() override {}
    void putPixel(uint32_t, uint32_t, int, int, int) override {}
    void clearAndFlip(int, int, int) override {}
    void clear(int, int, int) override {}
    void flip() override {}
    void present() override {}
    void nopWithValue(uint32_t) override {}
    void loadBmp(const char*, int32_t*, int32_t*) override {}
    void setClip(int16_t, int16_t, uint16_t, uint16_t) override {}
    void drawSurface(SurfaceSDL* surface, int16_t x, int16_t y, uint16_t w, uint16_t h) override {
        surfaces.push_back({surface, x, y, w, h});
        order += 'S';
    }
    void grabSurface(SurfaceSDL*, int16_t, int16_t, uint16_t, uint16_t) override {}
    void blitSurface(SurfaceSDL*) override {}
    void drawText(int32_t x, int32_t y, const char* text, const GlyphSource&, int32_t rightLimit, int32_t ignored1,
                  int32_t width, int32_t ignored2) override {
        texts.push_back({x, y, text, rightLimit, ignored1, width, ignored2});
        order += 'T';
    }
};

class FixedGlyphs : public GlyphSource {
public:
    FixedGlyphs(uint32_t width, uint32_t height) : width_(width), height_(height) {}
    uint32_t glyphHeight() const override { return height_; }
    uint32_t glyphWidth() const override { return width_; }
    SurfaceSDL* glyph(unsigned char) const override { return nullptr; }

private:
    uint32_t width_;
    uint32_t height_;
};

}  // namespace ocre::test
