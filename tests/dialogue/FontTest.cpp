#include "dialogue/Font.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gfx/DisplaySDL.h"
#include "gfx/Surface.h"
#include "tests/dialogue/DialogueTestSupport.h"
#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

using test::Rgb;

// Glyph c is coloured (c, 255 - c, 7): never black, so never transparent,
// and each one tells which frame it came from.
std::vector<Rgb> numberedGlyphs(int count) {
    std::vector<Rgb> colours;
    for (int c = 0; c < count; ++c) colours.push_back({c, 255 - c, 7});
    return colours;
}

class FontTest : public ::testing::Test {
protected:
    void SetUp() override { display_.open(); }

    std::string writeFont(int frames) {
        const std::string path = dir_.file("fonte" + std::to_string(frames) + ".spr");
        test::writeSpriteFile(path, 6, 9, numberedGlyphs(frames));
        return path;
    }

    DisplaySDL display_{640, 480, 32};
    test::TempDir dir_;
};

TEST_F(FontTest, GlyphOfEachByteValueIsTheFrameOfThatNumber) {
    Font font(writeFont(256).c_str());
    EXPECT_EQ(font.glyphWidth(), 6u);
    EXPECT_EQ(font.glyphHeight(), 9u);
    for (int c : {0, int{'A'}, 0xE9, 255}) {
        SurfaceSDL* glyph = font.glyph(static_cast<unsigned char>(c));
        ASSERT_NE(glyph, nullptr) << c;
        EXPECT_EQ(test::pixelAt(glyph->sdlSurface(), 5, 8), (Rgb{c, 255 - c, 7})) << c;
    }
}

TEST_F(FontTest, ShortFontHasNoGlyphsForTheHigherBytes) {
    Font font(writeFont(128).c_str());
    ASSERT_NE(font.glyph(127), nullptr);
    EXPECT_EQ(test::pixelAt(font.glyph(127)->sdlSurface(), 0, 0), (Rgb{127, 128, 7}));
    EXPECT_EQ(font.glyph(128), nullptr);
    EXPECT_EQ(font.glyph(255), nullptr);
}

// The check only reports: loading goes on whatever the frame count.
TEST(FontCheck, ReportsAFileWithoutExactly256FramesAndGoesOn) {
    test::TempDir dir;
    for (int frames : {128, 300, 256}) {
        const std::string path = dir.file("police.spr");
        test::writeSpriteFile(path, 4, 4, numberedGlyphs(frames));
        test::ChildResult result = test::runInChild([&] {
            DisplaySDL display(640, 480, 32);
            display.open();
            Font font(path.c_str());
            std::printf("charge");
        });
        EXPECT_EQ(result.exitStatus, 0) << frames;
        const std::string report = frames == 256 ? "" : "fichier " + path + "n'est pas une police valide!\n";
        EXPECT_EQ(result.out, report + "charge") << frames;
        EXPECT_EQ(result.err, "") << frames;
    }
}

}  // namespace
}  // namespace ocre
