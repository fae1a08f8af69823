// Console fonts: PSF1 and PSF2 decoding with their Unicode tables, and the
// code page 1252 font made from them.

#include <gtest/gtest.h>
#include <zlib.h>

#include <tuple>

#include "tests/support/TestFiles.h"
#include "tools/defaultset/FontArt.h"
#include "tools/defaultset/PsfFont.h"

namespace ocre {
namespace {

using test::Bytes;

// Three 8 x 16 glyphs: 0 a full square (listed as the euro sign, plus a
// combining sequence for "e" that must be ignored), 1 a left bar ("A"),
// 2 a top bar (the replacement character).
std::vector<uint8_t> psf2Font() {
    Bytes b;
    b.u32(0x864AB572).u32(0).u32(32).u32(1).u32(3).u32(16).u32(16).u32(8);
    for (int row = 0; row < 16; ++row) b.u8(0xFF);
    for (int row = 0; row < 16; ++row) b.u8(0x80);
    for (int row = 0; row < 16; ++row) b.u8(row == 0 ? 0xFF : 0x00);
    b.raw({0xE2, 0x82, 0xAC, 0xFE, 'e', 0xCC, 0x81, 0xFF});
    b.raw({'A', 0xFF});
    b.raw({0xEF, 0xBF, 0xBD, 0xFF});
    return b.data();
}

PsfFont decoded(const std::vector<uint8_t>& bytes) {
    PsfFont font;
    std::string error;
    EXPECT_TRUE(font.decode(bytes, error)) << error;
    return font;
}

int inkCount(const PixelImage& frame) {
    int ink = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) ink += frame.at(x, y).isBlack() ? 0 : 1;
    return ink;
}

TEST(PsfFont, Version2GlyphsAndUnicodeTableWithSequencesIgnored) {
    const PsfFont font = decoded(psf2Font());
    EXPECT_EQ(std::make_tuple(font.glyphWidth(), font.glyphHeight(), font.glyphCount()), std::make_tuple(8, 16, 3));
    EXPECT_EQ((std::vector<int>{font.glyphFor(0x20AC), font.glyphFor('A'), font.glyphFor(0xFFFD), font.glyphFor('e')}),
              (std::vector<int>{0, 1, 2, -1}));
    EXPECT_TRUE(font.pixel(1, 0, 15));
    EXPECT_FALSE(font.pixel(1, 1, 15));
    EXPECT_TRUE(font.pixel(2, 7, 0));
    EXPECT_FALSE(font.pixel(2, 7, 1));
    EXPECT_FALSE(font.pixel(5, 0, 0));
}

TEST(PsfFont, GzippedVersion1With512GlyphsAndATable) {
    test::TempDir dir;
    Bytes b;
    b.u8(0x36).u8(0x04).u8(0x03).u8(8);
    for (int g = 0; g < 512; ++g)
        for (int row = 0; row < 8; ++row) b.u8(g == 300 ? 0x01 : 0x00);
    for (int g = 0; g < 512; ++g) {
        if (g == 300) b.u16(0x00E9).u16(0xFFFE).u16('e').u16(0x0301);
        b.u16(0xFFFF);
    }
    const std::string path = dir.file("small.psf.gz");
    gzFile file = gzopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(gzwrite(file, b.data().data(), static_cast<unsigned>(b.size())), static_cast<int>(b.size()));
    gzclose(file);

    PsfFont font;
    std::string error;
    ASSERT_TRUE(font.load(path, error)) << error;
    EXPECT_EQ(std::make_pair(font.glyphCount(), font.glyphHeight()), std::make_pair(512, 8));
    EXPECT_EQ(font.glyphFor(0xE9), 300);
    EXPECT_EQ(font.glyphFor('e'), -1);
    EXPECT_TRUE(font.pixel(300, 7, 3));
}

TEST(PsfFont, BrokenFontsAreRefusedWithAReason) {
    std::vector<uint8_t> cut = psf2Font();
    cut.resize(60);
    std::vector<uint8_t> narrowCharSize = psf2Font();
    narrowCharSize[16] = 4;  // 4 bytes cannot hold 16 rows
    std::vector<uint8_t> badUtf8 = psf2Font();
    badUtf8[32 + 48] = 0xC3;  // a lead byte followed by the table's next byte 0x82
    badUtf8[32 + 49] = 0x41;
    for (const auto& bytes : {cut, narrowCharSize, badUtf8, std::vector<uint8_t>{'h', 'i'}, std::vector<uint8_t>{}}) {
        PsfFont font;
        std::string error;
        EXPECT_FALSE(font.decode(bytes, error));
        EXPECT_FALSE(error.empty());
    }
    PsfFont font;
    std::string error;
    EXPECT_FALSE(font.load("/nonexistent/font.psf.gz", error));
    EXPECT_NE(error.find("/nonexistent/font.psf.gz"), std::string::npos);
}

TEST(FontSheet, ByteValuesTakeTheGlyphOfTheirCodePage1252Character) {
    FontBuildReport report;
    const SpriteSheet sheet = fontSheet(decoded(psf2Font()), report);
    ASSERT_EQ(sheet.frames.size(), 256u);
    EXPECT_EQ(std::make_pair(sheet.frames[0].width(), sheet.frames[0].height()), std::make_pair(20, 22));
    // 0x80 is the euro sign in code page 1252 (a control code in Latin-1).
    EXPECT_EQ(inkCount(sheet.frames[0x80]), 2 * 8 * 16 - 7 * 15);
    EXPECT_GT(inkCount(sheet.frames['A']), 0);
    EXPECT_NE(inkCount(sheet.frames['A']), inkCount(sheet.frames[0x80]));
    // Control bytes stay empty; an undefined byte and a character the font
    // lacks show the replacement glyph.
    EXPECT_EQ(inkCount(sheet.frames[0x01]), 0);
    EXPECT_EQ(inkCount(sheet.frames[0x7F]), 0);
    EXPECT_EQ(inkCount(sheet.frames[0x81]), inkCount(sheet.frames[0x02 + 'A']));
    EXPECT_EQ(inkCount(sheet.frames[0x81]), 2 * 8);
    // 0x20 to 0xFF less the five undefined bytes, less the euro sign and A.
    EXPECT_EQ(report.missingGlyphs, (0x100 - 0x20) - 1 - 5 - 2);
    // Frame sizes give back the glyph width as the advance, the height as the line step.
    for (int w : {6, 8, 9, 10, 12, 16}) EXPECT_EQ((2 * glyphFrameWidth(w)) / 5, w) << w;
    for (int h : {8, 14, 16, 20, 32}) {
        EXPECT_EQ((3 * glyphFrameHeight(h)) / 4, std::max(h, (3 * (h + 3)) / 4)) << h;
        EXPECT_GE(glyphFrameHeight(h), h + 3);
    }
}

}  // namespace
}  // namespace ocre
