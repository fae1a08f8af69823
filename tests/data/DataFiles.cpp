#include "tests/data/DataFiles.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <random>

namespace ocre::test {

Bytes spriteFile(uint16_t delay, uint16_t width, uint16_t height, const std::vector<std::vector<Rgbx>>& frames,
                 const std::vector<Box>& boxes) {
    Bytes bytes;
    bytes.u16(static_cast<uint32_t>(frames.size())).u16(delay).u16(width).u16(height);
    for (const auto& frame : frames)
        for (const Rgbx& p : frame) bytes.u8(p.r).u8(p.g).u8(p.b).u8(p.ignored);
    for (const Box& box : boxes) bytes.u32(box.left).u32(box.top).u32(box.right).u32(box.bottom);
    return bytes;
}

Bytes plainSprite(uint16_t frames, uint16_t width, uint16_t height) {
    std::vector<std::vector<Rgbx>> pixels(frames, std::vector<Rgbx>(size_t{width} * height, Rgbx{10, 20, 30, 0}));
    return spriteFile(1, width, height, pixels, std::vector<Box>(frames, Box{0, 0, width, height}));
}

Bytes tileRecord(int32_t width, int32_t height, uint8_t transparent, uint8_t walkable, Rgbx colour) {
    Bytes bytes;
    bytes.i32(width).i32(height).u8(0).u8(transparent).u8(0).u8(0).u8(walkable);
    for (int64_t i = 0; i < int64_t{width} * height; ++i) bytes.u8(colour.r).u8(colour.g).u8(colour.b).u8(colour.ignored);
    return bytes;
}

Bytes mapFile(const MapHeader& h, const std::vector<uint16_t>& indices) {
    Bytes bytes;
    bytes.u32(h.cols).u32(h.rows).u32(h.tileWidth).u32(h.tileHeight).u8(h.a).u8(h.b).u8(h.c).u32(h.d).u8(h.e);
    for (uint16_t index : indices) bytes.u16(index);
    return bytes;
}

Bytes pathFile(uint8_t loop, const std::vector<Waypoint>& waypoints) {
    Bytes bytes;
    bytes.u32(static_cast<uint32_t>(waypoints.size())).u8(loop);
    for (const Waypoint& w : waypoints) bytes.i32(w.x);
    for (const Waypoint& w : waypoints) bytes.i32(w.y);
    for (const Waypoint& w : waypoints) bytes.i32(w.z);
    return bytes;
}

OpenDisplay::OpenDisplay() : display_(std::make_unique<DisplaySDL>(640, 480, 32)) { display_->open(); }

uint32_t pixelAt(SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const uint8_t*>(surface->pixels) + surface->pitch * y;
    return reinterpret_cast<const uint32_t*>(row)[x];
}

uint32_t screenColour(uint8_t r, uint8_t g, uint8_t b) { return SDL_MapRGB(displayScreen()->format, r, g, b); }

::testing::AssertionResult endsCleanly(const std::function<void()>& body) {
    const ChildResult result = runInChild(body, 10000);
    if (result.exited && (result.exitStatus == 0 || result.exitStatus == 255)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "exited=" << result.exited << " status=" << result.exitStatus
                                         << " signal=" << result.signal << " out=\"" << result.out << "\" err=\""
                                         << result.err << "\"";
}

std::vector<std::vector<uint8_t>> damagedVersions(const std::vector<uint8_t>& valid, size_t cuts, size_t flips,
                                                  uint32_t seed) {
    std::vector<std::vector<uint8_t>> versions;
    const size_t stride = valid.size() / cuts + 1;
    for (size_t length = 0; length < valid.size(); length += stride)
        versions.emplace_back(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length));
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> anyBit(0, valid.size() * 8 - 1);
    std::uniform_int_distribution<int> howMany(1, 3);
    for (size_t i = 0; i < flips; ++i) {
        std::vector<uint8_t> damaged = valid;
        for (int n = howMany(random); n > 0; --n) {
            const size_t bit = anyBit(random);
            damaged[bit / 8] = static_cast<uint8_t>(damaged[bit / 8] ^ (1u << (bit % 8)));
        }
        versions.push_back(std::move(damaged));
    }
    return versions;
}

}  // namespace ocre::test
