#pragma once
// The 256-glyph font of the data set, made from a console font: frame c
// shows the glyph of the character that byte c means in code page 1252.
//
// The server's text drawing advances each glyph by (2 x frame width) / 5
// and each wrapped line by (3 x frame height) / 4, so a glyph of w x h
// pixels gets a frame of ceil(5w / 2) x max(ceil(4h / 3), h + 3): 8 x 16
// glyphs sit in 20 x 22 frames, advancing 8 pixels, wrapping 16.

#include <string>

#include "tools/defaultset/DataFileWriters.h"
#include "tools/defaultset/PsfFont.h"

namespace ocre {

constexpr int kFontGlyphs = 256;
constexpr const char* kDefaultConsoleFont = "/usr/share/consolefonts/Lat15-VGA16.psf.gz";

struct FontBuildReport {
    int missingGlyphs = 0;  // printable characters the console font lacks
};

int glyphFrameWidth(int glyphWidth);
int glyphFrameHeight(int glyphHeight);

// Control characters get empty frames; undefined bytes and characters
// the console font lacks get its replacement glyph (or an empty frame).
SpriteSheet fontSheet(const PsfFont& font, FontBuildReport& report);

}  // namespace ocre
