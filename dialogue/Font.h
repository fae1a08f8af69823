#pragma once
// The bitmap font: a sprite frame file of 256 equally sized frames, the
// glyph of byte value c being frame c.

#include <cstdint>
#include <memory>

#include "gfx/Display.h"

namespace ocre {

struct FrameSet;

class Font : public GlyphSource {
public:
    // Loads the frames (needs an open display). A file without exactly 256
    // frames is reported on standard output and used as it is.
    explicit Font(const char* fileName);
    ~Font() override;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    uint32_t glyphHeight() const override { return glyphHeight_; }
    uint32_t glyphWidth() const override { return glyphWidth_; }
    // Null for a byte value beyond the frames the file holds.
    SurfaceSDL* glyph(unsigned char c) const override;

private:
    uint32_t glyphHeight_ = 0;
    uint32_t glyphWidth_ = 0;
    std::unique_ptr<FrameSet> glyphs_;
};

}  // namespace ocre
