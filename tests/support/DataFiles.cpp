#include "tests/support/DataFiles.h"

namespace ocre::test {

File spriteFile(uint16_t frames, uint16_t delay, uint16_t width, uint16_t height, const File& pixels,
                const std::vector<uint32_t>& boxes) {
    Bytes bytes;
    bytes.u16(frames).u16(delay).u16(width).u16(height).raw(pixels);
    for (uint32_t value : boxes) bytes.u32(value);
    return bytes.data();
}

File plainSprite(uint16_t frames, uint16_t width, uint16_t height) {
    std::vector<uint32_t> boxes;
    for (uint16_t i = 0; i < frames; ++i) boxes.insert(boxes.end(), {0, 0, width, height});
    return spriteFile(frames, 1, width, height, File(size_t{4} * width * height * frames, 0x80), boxes);
}

File colourSprite(uint16_t width, uint16_t height, const std::vector<uint32_t>& colours) {
    Bytes pixels;
    for (uint32_t colour : colours)
        for (uint32_t i = 0; i < uint32_t{width} * height; ++i) pixels.u8(colour >> 16).u8(colour >> 8).u8(colour).u8(0);
    const auto frames = static_cast<uint16_t>(colours.size());
    return spriteFile(frames, 0, width, height, pixels.data(), std::vector<uint32_t>(4 * colours.size(), 0));
}

File tileFile(int32_t width, int32_t height, const std::vector<uint8_t>& walkable) {
    Bytes bytes;
    for (uint8_t w : walkable)
        bytes.i32(width).i32(height).u8(0).u8(0).u8(0).u8(0).u8(w).raw(File(size_t{4} * width * height, 0x80));
    return bytes.data();
}

File mapFile(uint32_t cols, uint32_t rows, uint32_t tileWidth, uint32_t tileHeight,
             const std::vector<uint16_t>& cells) {
    Bytes bytes;
    bytes.u32(cols).u32(rows).u32(tileWidth).u32(tileHeight).u8(0).u8(0).u8(0).u32(0).u8(0);
    for (uint16_t index : cells) bytes.u16(index);
    return bytes.data();
}

File pathFile(uint8_t loop, const std::vector<std::array<int32_t, 3>>& waypoints) {
    Bytes bytes;
    bytes.u32(static_cast<uint32_t>(waypoints.size())).u8(loop);
    for (size_t axis = 0; axis < 3; ++axis)
        for (const auto& waypoint : waypoints) bytes.i32(waypoint[axis]);
    return bytes.data();
}

::testing::AssertionResult diesWith(const std::function<void()>& body, const std::string& out) {
    const ChildResult r = runInChild(body, 10000);
    if (r.exited && r.exitStatus == 255 && r.out == out) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "exited=" << r.exited << " status=" << r.exitStatus << " signal="
                                         << r.signal << " out=\"" << r.out << "\" err=\"" << r.err << "\"";
}

}  // namespace ocre::test
