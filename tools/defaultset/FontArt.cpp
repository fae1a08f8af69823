#include "tools/defaultset/FontArt.h"

#include <algorithm>

#include "tools/defaultset/Cp1252.h"

namespace ocre {
namespace {

constexpr Rgb kInk{250, 244, 214};
// A drop shadow keeps the text legible on the light tiles of the map.
constexpr Rgb kShadow{28, 22, 18};
constexpr int kGlyphLeft = 1;
constexpr int kGlyphTop = 2;
constexpr uint32_t kReplacementCharacter = 0xFFFD;
constexpr uint8_t kFirstPrintable = 0x20;
constexpr uint8_t kDelete = 0x7F;

PixelImage glyphFrame(const PsfFont& font, int glyph, int frameWidth, int frameHeight) {
    PixelImage frame(frameWidth, frameHeight);
    if (glyph < 0) return frame;
    for (int y = 0; y < font.glyphHeight(); ++y)
        for (int x = 0; x < font.glyphWidth(); ++x)
            if (font.pixel(glyph, x, y)) frame.set(kGlyphLeft + x + 1, kGlyphTop + y + 1, kShadow);
    for (int y = 0; y < font.glyphHeight(); ++y)
        for (int x = 0; x < font.glyphWidth(); ++x)
            if (font.pixel(glyph, x, y)) frame.set(kGlyphLeft + x, kGlyphTop + y, kInk);
    return frame;
}

}  // namespace

int glyphFrameWidth(int glyphWidth) { return (5 * glyphWidth + 1) / 2; }

int glyphFrameHeight(int glyphHeight) { return std::max((4 * glyphHeight + 2) / 3, glyphHeight + 3); }

SpriteSheet fontSheet(const PsfFont& font, FontBuildReport& report) {
    const int frameWidth = glyphFrameWidth(font.glyphWidth());
    const int frameHeight = glyphFrameHeight(font.glyphHeight());
    const int replacement = font.glyphFor(kReplacementCharacter);
    SpriteSheet sheet;
    report = FontBuildReport{};
    for (int c = 0; c < kFontGlyphs; ++c) {
        const auto byte = static_cast<uint8_t>(c);
        const uint32_t codePoint = cp1252ToUnicode(byte);
        int glyph = -1;
        if (byte >= kFirstPrintable && byte != kDelete) {
            glyph = codePoint == kNoCodePoint ? -1 : font.glyphFor(codePoint);
            if (glyph < 0) {
                if (codePoint != kNoCodePoint) ++report.missingGlyphs;
                glyph = replacement;
            }
        }
        sheet.frames.push_back(glyphFrame(font, glyph, frameWidth, frameHeight));
    }
    return sheet;
}

}  // namespace ocre
