#pragma once
// The data files, images and record files store their numbers
// little-endian whatever the host's order; every reader decodes them here
// and every writer encodes them here.

#include <cstdint>
#include <cstdio>

namespace ocre {

inline uint16_t decodeU16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

inline uint32_t decodeU32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

inline void encodeU16(uint16_t value, uint8_t* bytes) {
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

inline void encodeU32(uint32_t value, uint8_t* bytes) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The next four bytes of the file as a signed value; false, with `out` as it
// was, when the file ends before them.
inline bool readLittleEndianInt32(std::FILE* file, int32_t& out) {
    uint8_t bytes[4];
    if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) return false;
    out = static_cast<int32_t>(decodeU32(bytes));
    return true;
}

}  // namespace ocre
