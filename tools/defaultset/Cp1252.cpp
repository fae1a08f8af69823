#include "tools/defaultset/Cp1252.h"

namespace ocre {
namespace {

// 0x80 to 0x9F are where code page 1252 differs from ISO 8859-1.
constexpr uint32_t kHighControls[32] = {
    0x20AC, kNoCodePoint, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030,       0x0160, 0x2039, 0x0152, kNoCodePoint, 0x017D, kNoCodePoint,
    kNoCodePoint, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122,       0x0161, 0x203A, 0x0153, kNoCodePoint, 0x017E, 0x0178,
};

}  // namespace

uint32_t cp1252ToUnicode(uint8_t c) {
    if (c >= 0x80 && c <= 0x9F) return kHighControls[c - 0x80];
    return c;
}

std::string cp1252ToUtf8(const std::string& text) {
    std::string out;
    for (char raw : text) {
        const auto c = static_cast<uint8_t>(raw);
        const uint32_t cp = cp1252ToUnicode(c);
        if (cp == kNoCodePoint || cp < 0x20 || cp == 0x7F) {
            static const char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace ocre
