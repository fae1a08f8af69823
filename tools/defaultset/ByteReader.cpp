#include "tools/defaultset/ByteReader.h"

#include "core/LittleEndian.h"

namespace ocre {

bool ByteReader::take(size_t count, const uint8_t*& start) {
    if (remaining() < count) return false;
    start = bytes_.data() + offset_;
    offset_ += count;
    return true;
}

bool ByteReader::u8(uint8_t& out) {
    const uint8_t* p = nullptr;
    if (!take(1, p)) return false;
    out = p[0];
    return true;
}

bool ByteReader::u16(uint16_t& out) {
    const uint8_t* p = nullptr;
    if (!take(2, p)) return false;
    out = decodeU16(p);
    return true;
}

bool ByteReader::u32(uint32_t& out) {
    const uint8_t* p = nullptr;
    if (!take(4, p)) return false;
    out = decodeU32(p);
    return true;
}

bool ByteReader::i32(int32_t& out) {
    uint32_t raw = 0;
    if (!u32(raw)) return false;
    out = static_cast<int32_t>(raw);
    return true;
}

bool ByteReader::skip(uint64_t count) {
    if (remaining() < count) return false;
    offset_ += static_cast<size_t>(count);
    return true;
}

}  // namespace ocre
