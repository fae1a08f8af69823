#include "dialogue/Font.h"

#include <cstdio>

#include "data/FrameSet.h"

namespace ocre {

namespace {
constexpr uint32_t kGlyphCount = 256;
constexpr const char* kNotAFont = "fichier %sn'est pas une police valide!\n";
}  // namespace

Font::Font(const char* fileName) : glyphs_(new FrameSet) {
    glyphs_->load(fileName);
    glyphHeight_ = glyphs_->height;
    glyphWidth_ = glyphs_->width;
    if (glyphs_->frameCount != kGlyphCount) std::printf(kNotAFont, fileName);
}

Font::~Font() = default;

SurfaceSDL* Font::glyph(unsigned char c) const {
    if (c >= glyphs_->frames.size()) return nullptr;
    return glyphs_->frames[c].get();
}

}  // namespace ocre
