#pragma once
// What each byte of code page 1252 means in Unicode.

#include <cstdint>
#include <string>

namespace ocre {

constexpr uint32_t kNoCodePoint = 0xFFFFFFFF;

// The Unicode code point of byte value c, or kNoCodePoint for the five
// bytes that code page 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
uint32_t cp1252ToUnicode(uint8_t c);

// The text in UTF-8, for terminals; control and undefined bytes as \xNN.
std::string cp1252ToUtf8(const std::string& text);

}  // namespace ocre
