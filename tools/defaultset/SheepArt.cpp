// mouton: a fluffy white sheep with a dark face and legs.

#include "tools/defaultset/CharacterArt.h"

namespace ocre {
namespace {

constexpr int kSize = 32;
constexpr uint16_t kWalkDelay = 3;

constexpr Rgb kWool{236, 236, 226};
constexpr Rgb kWoolShade{204, 204, 196};
constexpr Rgb kFace{66, 62, 74};
constexpr Rgb kFaceLight{96, 92, 106};
constexpr Rgb kLeg{58, 54, 64};
constexpr Rgb kEyeWhite{250, 250, 250};
constexpr Rgb kNose{232, 160, 170};

void woolBody(PixelImage& img, int cx, int cy, int rx, int ry) {
    img.fillEllipse(cx, cy + 1, rx, ry, kWoolShade);
    img.fillEllipse(cx, cy, rx, ry, kWool);
    // Curls along the top edge make the outline fluffy.
    for (int x = cx - rx + 2; x <= cx + rx - 2; x += 4) img.fillEllipse(x, cy - ry + 1, 2, 2, kWool);
    for (int x = cx - rx + 4; x <= cx + rx - 4; x += 5) img.set(x, cy, kWoolShade);
}

PixelImage side(int phase) {
    const int bob = walkBob(phase), stride = walkStride(phase);
    PixelImage img(kSize, kSize);
    const int legTop = 23 + bob;
    // Far legs, then near legs, moving in opposite pairs.
    img.fillRect(10 - stride, legTop, 2, 29 - legTop, kLeg);
    img.fillRect(19 + stride, legTop, 2, 29 - legTop, kLeg);
    img.fillRect(8 + stride, legTop, 2, 30 - legTop, kFaceLight);
    img.fillRect(17 - stride, legTop, 2, 30 - legTop, kFaceLight);
    woolBody(img, 14, 18 + bob, 10, 6);
    img.fillEllipse(3, 17 + bob, 2, 2, kWool);
    img.fillEllipse(25, 15 + bob, 4, 3, kFace);
    img.fillRect(27, 15 + bob, 3, 3, kFace);
    img.fillRect(22, 12 + bob, 3, 2, kFaceLight);
    img.fillEllipse(23, 12 + bob, 3, 2, kWool);
    img.set(26, 14 + bob, kEyeWhite);
    img.set(29, 17 + bob, kNose);
    return img;
}

PixelImage front(int phase) {
    const int bob = walkBob(phase), stride = walkStride(phase);
    PixelImage img(kSize, kSize);
    const int legTop = 23 + bob;
    img.fillRect(10, legTop, 3, 29 - legTop + stride, kLeg);
    img.fillRect(19, legTop, 3, 29 - legTop - stride, kLeg);
    woolBody(img, 16, 16 + bob, 10, 8);
    img.fillRect(8, 17 + bob, 3, 2, kFaceLight);
    img.fillRect(21, 17 + bob, 3, 2, kFaceLight);
    img.fillEllipse(16, 20 + bob, 4, 5, kFace);
    img.fillEllipse(16, 14 + bob, 4, 2, kWool);
    img.set(14, 19 + bob, kEyeWhite);
    img.set(18, 19 + bob, kEyeWhite);
    img.fillRect(15, 24 + bob, 3, 1, kNose);
    return img;
}

PixelImage back(int phase) {
    const int bob = walkBob(phase), stride = walkStride(phase);
    PixelImage img(kSize, kSize);
    const int legTop = 23 + bob;
    img.fillRect(10, legTop, 3, 29 - legTop - stride, kLeg);
    img.fillRect(19, legTop, 3, 29 - legTop + stride, kLeg);
    img.fillRect(8, 10 + bob, 3, 2, kFaceLight);
    img.fillRect(21, 10 + bob, 3, 2, kFaceLight);
    woolBody(img, 16, 17 + bob, 10, 8);
    img.fillEllipse(16, 24 + bob, 2, 2, kWoolShade);
    return img;
}

PixelImage sheepPose(Facing facing, int phase) {
    switch (facing) {
        case Facing::Down: return front(phase);
        case Facing::Up: return back(phase);
        default: return side(phase);
    }
}

}  // namespace

std::vector<SpriteSheet> sheepAnimations() { return animationsFromPoses(sheepPose, kWalkFrames, kWalkDelay); }

}  // namespace ocre
