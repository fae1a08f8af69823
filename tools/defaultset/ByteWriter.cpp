#include "tools/defaultset/ByteWriter.h"

#include "core/LittleEndian.h"

namespace ocre {

ByteWriter& ByteWriter::u8(uint8_t value) {
    bytes_.push_back(value);
    return *this;
}

ByteWriter& ByteWriter::u16(uint16_t value) {
    uint8_t bytes[2];
    encodeU16(value, bytes);
    bytes_.insert(bytes_.end(), bytes, bytes + sizeof bytes);
    return *this;
}

ByteWriter& ByteWriter::u32(uint32_t value) {
    uint8_t bytes[4];
    encodeU32(value, bytes);
    bytes_.insert(bytes_.end(), bytes, bytes + sizeof bytes);
    return *this;
}

ByteWriter& ByteWriter::text(const std::string& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

}  // namespace ocre
