#include "tools/defaultset/ByteWriter.h"

namespace ocre {

ByteWriter& ByteWriter::u8(uint8_t value) {
    bytes_.push_back(value);
    return *this;
}

ByteWriter& ByteWriter::u16(uint16_t value) {
    bytes_.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes_.push_back(static_cast<uint8_t>(value >> 8));
    return *this;
}

ByteWriter& ByteWriter::u32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<uint8_t>((value >> shift) & 0xFF));
    return *this;
}

ByteWriter& ByteWriter::text(const std::string& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

}  // namespace ocre
