#include "data/FrameSet.h"

#include <new>

#include "core/Fatal.h"
#include "data/DataFile.h"
#include "gfx/DisplaySDL.h"

namespace ocre {

namespace {

constexpr const char* kNoMemoryForFrames = "pas assez de memoire pour allouer les frames ";
constexpr const char* kNoMemoryForBoxes = "pas assez de memoire pour allouer les boites de cadrage ";
constexpr const char* kNoMemoryForBox = "pas assez de memoire pour allouer la boite de cadrage %u";
constexpr const char* kNoMemoryForFrame = "pas assez de memoire pour allouer la frame %u";

}  // namespace

void FrameSet::load(const char* fileName) {
    DataFile file(fileName);
    frameCount = 0;
    frameDelay = 0;
    width = 0;
    height = 0;
    frames.clear();
    boxes.clear();

    uint16_t count = 0, delay = 0, w = 0, h = 0;
    if (!file.readU16(count) || !file.readU16(delay) || !file.readU16(w) || !file.readU16(h)) file.refuseTruncated();
    frameCount = count;
    frameDelay = delay;
    width = w;
    height = h;

    // Checked before anything is allocated: a damaged header must not make
    // us reserve room (or surfaces) for frames the file does not hold.
    const uint64_t rowBytes = kSpriteBytesPerPixel * width;
    file.requireSize(spriteFileBytes(frameCount, width, height));

    file.allocateOrDie(kNoMemoryForFrames, [&] { frames.resize(frameCount); });
    file.allocateOrDie(kNoMemoryForBoxes, [&] { boxes.resize(frameCount); });
    for (uint32_t i = 0; i < frameCount; ++i) {
        boxes[i].reset(new (std::nothrow) BoundingBox());
        if (!boxes[i]) {
            file.close();
            fatalf(stdout, kNoMemoryForBox, i + 1);
        }
    }

    std::vector<uint8_t> row;
    file.allocateOrDie(kNoMemoryForFrames, [&] { row.resize(rowBytes); });
    for (uint32_t i = 0; i < frameCount; ++i) {
        frames[i].reset(createSurface(static_cast<int32_t>(width), static_cast<int32_t>(height)));
        if (!frames[i]) {
            file.close();
            fatalf(stderr, kNoMemoryForFrame, i + 1);
        }
        frames[i]->setColorKey(0, 0, 0);
        // Rows of no pixel hold no byte: a zero width with a large height
        // must not cost a read per row.
        if (rowBytes == 0) continue;
        for (uint32_t y = 0; y < height; ++y) {
            if (file.readBytes(row.data(), row.size()) != row.size()) file.refuseTruncated();
            for (uint32_t x = 0; x < width; ++x) {
                const uint8_t* pixel = &row[kSpriteBytesPerPixel * x];
                frames[i]->putPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), pixel[0], pixel[1], pixel[2]);
            }
        }
    }

    for (uint32_t i = 0; i < frameCount; ++i) {
        uint32_t left = 0, top = 0, right = 0, bottom = 0;
        if (!file.readU32(left) || !file.readU32(top) || !file.readU32(right) || !file.readU32(bottom))
            file.refuseTruncated();
        boxes[i]->left = static_cast<int32_t>(left);
        boxes[i]->top = static_cast<int32_t>(top);
        boxes[i]->right = static_cast<int32_t>(right);
        boxes[i]->bottom = static_cast<int32_t>(bottom);
    }
    file.close();
}

}  // namespace ocre
