#pragma once
// One loaded sprite frame file: W x H true-colour frames (black is
// transparent), the frame delay and one bounding box per frame.
//
// File (little-endian, packed): u16 N, u16 delay, u16 W, u16 H,
// 4*W*H*N pixel bytes (r, g, b, ignored), then N boxes of four 32-bit
// values (left, top, right, bottom).

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/Surface.h"

namespace ocre {

constexpr uint64_t kSpriteHeaderBytes = 8;
constexpr uint64_t kSpriteBytesPerPixel = 4;
constexpr uint64_t kSpriteBoxBytes = 16;

// The bytes a file of `frames` frames of width x height pixels holds.
constexpr uint64_t spriteFileBytes(uint64_t frames, uint64_t width, uint64_t height) {
    return kSpriteHeaderBytes + (kSpriteBytesPerPixel * width * height + kSpriteBoxBytes) * frames;
}

struct BoundingBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct FrameSet {
    uint32_t frameCount = 0;
    std::vector<std::unique_ptr<SurfaceSDL>> frames;
    std::vector<std::unique_ptr<BoundingBox>> boxes;
    uint32_t frameDelay = 0;
    uint32_t width = 0;
    uint32_t height = 0;

    // Fills this record from the file; every failure ends the process with
    // its own message (needs an open display for the surfaces). A file
    // shorter than its header says is refused before anything is allocated.
    void load(const char* fileName);
};

}  // namespace ocre
