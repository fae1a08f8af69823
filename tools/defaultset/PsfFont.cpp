#include "tools/defaultset/PsfFont.h"

#include <zlib.h>

#include "tools/defaultset/ByteReader.h"

namespace ocre {
namespace {

constexpr uint8_t kPsf1Magic0 = 0x36, kPsf1Magic1 = 0x04;
constexpr uint8_t kPsf1Mode512 = 0x01, kPsf1ModeHasTable = 0x02, kPsf1ModeHasSequences = 0x04;
constexpr uint16_t kPsf1Separator = 0xFFFF, kPsf1StartSequence = 0xFFFE;
constexpr uint32_t kPsf2Magic = 0x864AB572;
constexpr uint32_t kPsf2HasTable = 0x01;
constexpr uint8_t kPsf2Separator = 0xFF, kPsf2StartSequence = 0xFE;
// Console fonts are a few kilobytes; anything far larger is not one.
constexpr size_t kMaxFontBytes = 4 * 1024 * 1024;
constexpr uint32_t kMaxGlyphs = 65536;
constexpr uint32_t kMaxGlyphSide = 256;

// One UTF-8 character from bytes[i..end); false on a malformed one.
bool nextUtf8(const std::vector<uint8_t>& bytes, size_t& i, size_t end, uint32_t& codePoint) {
    const uint8_t lead = bytes[i];
    int extra = 0;
    if (lead < 0x80) {
        codePoint = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        codePoint = lead & 0x1F;
        extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
        codePoint = lead & 0x0F;
        extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
        codePoint = lead & 0x07;
        extra = 3;
    } else {
        return false;
    }
    if (end - i <= static_cast<size_t>(extra)) return false;
    for (int k = 1; k <= extra; ++k) {
        const uint8_t follow = bytes[i + static_cast<size_t>(k)];
        if ((follow & 0xC0) != 0x80) return false;
        codePoint = (codePoint << 6) | (follow & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    return true;
}

}  // namespace

bool readMaybeGzip(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    // gzread passes files that are not gzip data through unchanged.
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    bytes.clear();
    uint8_t chunk[16384];
    for (;;) {
        const int got = gzread(file, chunk, sizeof chunk);
        if (got < 0) {
            gzclose(file);
            error = "cannot decompress " + path;
            return false;
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (bytes.size() > kMaxFontBytes) {
            gzclose(file);
            error = path + " is too large for a console font";
            return false;
        }
    }
    gzclose(file);
    return true;
}

bool PsfFont::load(const std::string& path, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!readMaybeGzip(path, bytes, error)) return false;
    if (!decode(bytes, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool PsfFont::decode(const std::vector<uint8_t>& bytes, std::string& error) {
    width_ = height_ = 0;
    glyphs_.clear();
    unicode_.clear();
    if (bytes.size() >= 2 && bytes[0] == kPsf1Magic0 && bytes[1] == kPsf1Magic1) return decodeVersion1(bytes, error);
    ByteReader reader(bytes);
    uint32_t magic = 0;
    if (reader.u32(magic) && magic == kPsf2Magic) return decodeVersion2(bytes, error);
    error = "not a PSF console font";
    return false;
}

bool PsfFont::decodeVersion1(const std::vector<uint8_t>& bytes, std::string& error) {
    if (bytes.size() < 4) {
        error = "truncated PSF1 header";
        return false;
    }
    const uint8_t mode = bytes[2];
    const uint32_t charSize = bytes[3];
    const uint32_t count = (mode & kPsf1Mode512) ? 512 : 256;
    if (charSize == 0 || bytes.size() < 4 + static_cast<size_t>(count) * charSize) {
        error = "truncated PSF1 glyph data";
        return false;
    }
    width_ = 8;
    height_ = static_cast<int>(charSize);
    for (uint32_t g = 0; g < count; ++g) {
        std::vector<bool> bits(static_cast<size_t>(8 * charSize));
        for (uint32_t row = 0; row < charSize; ++row) {
            const uint8_t line = bytes[4 + g * charSize + row];
            for (int x = 0; x < 8; ++x) bits[row * 8 + static_cast<uint32_t>(x)] = (line >> (7 - x)) & 1;
        }
        glyphs_.push_back(std::move(bits));
    }
    if (!(mode & (kPsf1ModeHasTable | kPsf1ModeHasSequences))) return true;
    ByteReader table(bytes, 4 + static_cast<size_t>(count) * charSize);
    for (uint32_t g = 0; g < count; ++g) {
        bool inSequence = false;
        for (;;) {
            uint16_t value = 0;
            if (!table.u16(value)) return true;  // a short table maps the glyphs it lists
            if (value == kPsf1Separator) break;
            if (value == kPsf1StartSequence) inSequence = true;
            if (!inSequence) unicode_.emplace(value, static_cast<int>(g));
        }
    }
    return true;
}

bool PsfFont::decodeVersion2(const std::vector<uint8_t>& bytes, std::string& error) {
    ByteReader header(bytes, 4);
    uint32_t version = 0, headerSize = 0, flags = 0, count = 0, charSize = 0, height = 0, width = 0;
    if (!header.u32(version) || !header.u32(headerSize) || !header.u32(flags) || !header.u32(count) ||
        !header.u32(charSize) || !header.u32(height) || !header.u32(width)) {
        error = "truncated PSF2 header";
        return false;
    }
    if (width == 0 || height == 0 || width > kMaxGlyphSide || height > kMaxGlyphSide || count == 0 ||
        count > kMaxGlyphs || charSize < height * ((width + 7) / 8)) {
        error = "PSF2 header with impossible sizes";
        return false;
    }
    const uint64_t glyphBytes = static_cast<uint64_t>(count) * charSize;
    if (headerSize < 32 || headerSize > bytes.size() || bytes.size() - headerSize < glyphBytes) {
        error = "truncated PSF2 glyph data";
        return false;
    }
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    const uint32_t rowBytes = (width + 7) / 8;
    for (uint32_t g = 0; g < count; ++g) {
        std::vector<bool> bits(static_cast<size_t>(width) * height);
        const size_t base = headerSize + static_cast<size_t>(g) * charSize;
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x)
                bits[y * width + x] = (bytes[base + y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
        glyphs_.push_back(std::move(bits));
    }
    if (!(flags & kPsf2HasTable)) return true;
    size_t i = headerSize + static_cast<size_t>(glyphBytes);
    for (uint32_t g = 0; g < count && i < bytes.size(); ++g) {
        bool inSequence = false;
        while (i < bytes.size()) {
            const uint8_t b = bytes[i];
            if (b == kPsf2Separator) {
                ++i;
                break;
            }
            if (b == kPsf2StartSequence) {
                inSequence = true;
                ++i;
                continue;
            }
            uint32_t codePoint = 0;
            if (!nextUtf8(bytes, i, bytes.size(), codePoint)) {
                error = "malformed UTF-8 in the PSF2 Unicode table";
                return false;
            }
            if (!inSequence) unicode_.emplace(codePoint, static_cast<int>(g));
        }
    }
    return true;
}

int PsfFont::glyphFor(uint32_t codePoint) const {
    const auto found = unicode_.find(codePoint);
    if (found != unicode_.end()) return found->second;
    // Without a table, glyph n is taken to be character n.
    if (unicode_.empty() && codePoint < glyphs_.size()) return static_cast<int>(codePoint);
    return -1;
}

bool PsfFont::pixel(int glyph, int x, int y) const {
    if (glyph < 0 || glyph >= glyphCount() || x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return glyphs_[static_cast<size_t>(glyph)][static_cast<size_t>(y) * static_cast<size_t>(width_) +
                                              static_cast<size_t>(x)];
}

}  // namespace ocre
