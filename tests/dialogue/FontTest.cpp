#include "dialogue/Font.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gfx/DisplaySDL.h"
#include "gfx/Surface.h"
#include "tests/support/DataFiles.h"
#include "tests/support/Pixels.h"
#include "tests/support/RecordingDisplay.h"
#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

// The frame count check only reports: the font loads whatever the count and
// is used with the frames it has, none for the byte values beyond them.
TEST(FontTest, GlyphsAreTheFramesAndAFileWithout256FramesIsReported) {
    test::TempDir dir;
    const struct { int frames; std::string glyphs; } rows[] = {
        {256, "6x9 410007 E90007 FF0007"}, {300, "6x9 410007 E90007 FF0007"}, {128, "6x9 410007 000000 000000"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.frames);
        // 6x9 frames, frame c coloured (c << 16) | 7: never black, so never
        // transparent, and each one tells which frame it came from.
        std::vector<uint32_t> colours;
        for (int c = 0; c < row.frames; ++c) colours.push_back(static_cast<uint32_t>(c) << 16 | 7);
        const std::string path = dir.file("fonte" + std::to_string(row.frames) + ".spr");
        test::writeFile(path, test::colourSprite(6, 9, colours));
        const test::ChildResult result = test::runInChild([&] {
            DisplaySDL display(640, 480, 32);
            display.open();
            Font font(path.c_str());
            const auto colour = [&](unsigned char c) {
                return font.glyph(c) ? test::colourAt(font.glyph(c)->sdlSurface(), 5, 8) : 0u;
            };
            std::printf("%ux%u %06X %06X %06X", font.glyphWidth(), font.glyphHeight(), colour('A'), colour(0xE9),
                        colour(0xFF));
        });
        EXPECT_EQ(result.exitStatus, 0);
        const std::string report = row.frames == 256 ? "" : "fichier " + path + "n'est pas une police valide!\n";
        EXPECT_EQ(result.out, report + row.glyphs);
    }
}

}  // namespace
}  // namespace ocre
