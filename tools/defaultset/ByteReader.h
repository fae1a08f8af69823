#pragma once
// Bounds-checked little-endian reading over a byte buffer: a read past the
// end fails and leaves the output untouched, so validating readers can
// report truncated files instead of reading garbage.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ocre {

class ByteReader {
public:
    explicit ByteReader(const std::vector<uint8_t>& bytes, size_t offset = 0) : bytes_(bytes), offset_(offset) {}

    bool u8(uint8_t& out);
    bool u16(uint16_t& out);
    bool u32(uint32_t& out);
    bool i32(int32_t& out);
    bool skip(uint64_t count);

    size_t offset() const { return offset_; }
    size_t remaining() const { return offset_ <= bytes_.size() ? bytes_.size() - offset_ : 0; }

private:
    bool take(size_t count, const uint8_t*& start);

    const std::vector<uint8_t>& bytes_;
    size_t offset_;
};

}  // namespace ocre
