#pragma once
// A Linux console font (PSF version 1 or 2, optionally gzip-compressed)
// decoded into glyph bitmaps and its Unicode table.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ocre {

class PsfFont {
public:
    // Reads and decodes the file; false with a one-line reason in error.
    bool load(const std::string& path, std::string& error);
    // Decodes PSF bytes that are already uncompressed.
    bool decode(const std::vector<uint8_t>& bytes, std::string& error);

    int glyphWidth() const { return width_; }
    int glyphHeight() const { return height_; }
    int glyphCount() const { return static_cast<int>(glyphs_.size()); }
    // The glyph for a Unicode character, or -1 if the font has none.
    int glyphFor(uint32_t codePoint) const;
    bool pixel(int glyph, int x, int y) const;

private:
    bool decodeVersion1(const std::vector<uint8_t>& bytes, std::string& error);
    bool decodeVersion2(const std::vector<uint8_t>& bytes, std::string& error);

    int width_ = 0;
    int height_ = 0;
    std::vector<std::vector<bool>> glyphs_;  // width x height per glyph, row by row
    std::map<uint32_t, int> unicode_;         // first glyph listed for each code point
};

// The whole file, uncompressed when it is gzip data.
bool readMaybeGzip(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

}  // namespace ocre
