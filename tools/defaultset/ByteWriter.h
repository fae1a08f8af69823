#pragma once
// Builds the bytes of a binary data file in explicit little-endian order,
// so that what is written never depends on the host's struct layout.

#include <cstdint>
#include <string>
#include <vector>

namespace ocre {

class ByteWriter {
public:
    ByteWriter& u8(uint8_t value);
    ByteWriter& u16(uint16_t value);
    ByteWriter& u32(uint32_t value);
    ByteWriter& i32(int32_t value) { return u32(static_cast<uint32_t>(value)); }
    ByteWriter& text(const std::string& bytes);

    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace ocre
