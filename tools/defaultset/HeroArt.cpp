// songroku: a martial-arts hero with spiky hair, an orange suit and blue
// boots.

#include "tools/defaultset/CharacterArt.h"

namespace ocre {
namespace {

constexpr int kSize = 32;
constexpr uint16_t kWalkDelay = 2;

constexpr Rgb kHair{56, 46, 70};
constexpr Rgb kHairLight{92, 80, 116};
constexpr Rgb kSkin{242, 200, 158};
constexpr Rgb kSkinShade{214, 168, 128};
constexpr Rgb kEye{36, 28, 48};
constexpr Rgb kSuit{238, 130, 36};
constexpr Rgb kSuitShade{206, 104, 28};
constexpr Rgb kBlue{48, 78, 178};
constexpr Rgb kBlueLight{84, 120, 220};
constexpr Rgb kPatch{244, 236, 210};
constexpr Rgb kPatchMark{200, 48, 40};

void spikes(PixelImage& img, int bob, const int (*tips)[2], int count, int baseY) {
    for (int i = 0; i < count; ++i) {
        const int tipX = tips[i][0], tipY = tips[i][1] + bob;
        for (int dx = -2; dx <= 2; ++dx) img.line(tipX + dx, baseY + bob, tipX, tipY, kHair);
        img.set(tipX, tipY + 1, kHairLight);
    }
}

void legsFacingCamera(PixelImage& img, int bob, int stride, bool facingAway) {
    // Seen from the front the forward foot is lower on screen; from behind, higher.
    const int forward = facingAway ? -stride : stride;
    const int leftBottom = 29 + (forward > 0 ? 1 : forward < 0 ? -1 : 0);
    const int rightBottom = 29 + (forward < 0 ? 1 : forward > 0 ? -1 : 0);
    const int top = 24 + bob;
    img.fillRect(12, top, 4, leftBottom - top - 1, kSuitShade);
    img.fillRect(12, leftBottom - 1, 4, 2, kBlue);
    img.fillRect(17, top, 4, rightBottom - top - 1, kSuitShade);
    img.fillRect(17, rightBottom - 1, 4, 2, kBlue);
}

void torsoFacingCamera(PixelImage& img, int bob, int stride) {
    img.fillRect(11, 17 + bob, 11, 6, kSuit);
    img.fillRect(11, 22 + bob, 11, 2, kBlue);
    img.fillRect(8, 17 + bob + stride, 3, 5, kSuit);
    img.fillRect(8, 22 + bob + stride, 3, 2, kSkin);
    img.fillRect(22, 17 + bob - stride, 3, 5, kSuit);
    img.fillRect(22, 22 + bob - stride, 3, 2, kSkin);
    img.fillRect(15, 16 + bob, 3, 1, kSkinShade);
}

PixelImage front(int phase) {
    const int bob = walkBob(phase), stride = walkStride(phase);
    PixelImage img(kSize, kSize);
    legsFacingCamera(img, bob, stride, false);
    torsoFacingCamera(img, bob, stride);
    img.set(15, 17 + bob, kBlue);
    img.set(16, 17 + bob, kBlue);
    img.set(17, 17 + bob, kBlue);
    img.set(16, 18 + bob, kBlue);
    img.fillEllipse(16, 8 + bob, 7, 5, kHair);
    const int tips[][2] = {{9, 3}, {12, 1}, {16, 1}, {20, 1}, {23, 3}};
    spikes(img, bob, tips, 5, 7);
    img.fillEllipse(16, 11 + bob, 5, 4, kSkin);
    img.fillRect(11, 6 + bob, 11, 3, kHair);
    img.set(12, 9 + bob, kHair);
    img.set(15, 9 + bob, kHair);
    img.set(19, 9 + bob, kHair);
    img.set(13, 6 + bob, kHairLight);
    img.set(18, 6 + bob, kHairLight);
    img.fillRect(14, 11 + bob, 1, 2, kEye);
    img.fillRect(18, 11 + bob, 1, 2, kEye);
    img.set(16, 14 + bob, kSkinShade);
    return img;
}

PixelImage back(int phase) {
    const int bob = walkBob(phase), stride = walkStride(phase);
    PixelImage img(kSize, kSize);
    legsFacingCamera(img, bob, stride, true);
    torsoFacingCamera(img, bob, -stride);
    img.fillEllipse(16, 19 + bob, 2, 2, kPatch);
    img.set(16, 19 + bob, kPatchMark);
    img.fillEllipse(16, 9 + bob, 7, 6, kHair);
    const int tips[][2] = {{8, 3}, {11, 1}, {16, 0}, {21, 1}, {24, 3}, {9, 13}, {23, 13}};
    spikes(img, bob, tips, 7, 9);
    img.set(14, 7 + bob, kHairLight);
    img.set(18, 8 + bob, kHairLight);
    img.set(16, 11 + bob, kHairLight);
    return img;
}

PixelImage side(int phase) {
    const int bob = walkBob(phase), stride = walkStride(phase);
    PixelImage img(kSize, kSize);
    const int top = 24 + bob;
    // Back leg first so that the front one covers it.
    img.fillRect(17 - 2 * stride, top, 3, 29 - top, kSuitShade);
    img.fillRect(17 - 2 * stride, 29, 4, 2, kBlue);
    img.fillRect(13, 17 + bob, 8, 6, kSuit);
    img.fillRect(13, 22 + bob, 8, 2, kBlue);
    img.fillRect(14 + 2 * stride, top, 3, 29 - top, kSuit);
    img.fillRect(14 + 2 * stride, 29, 4, 2, kBlueLight);
    img.fillRect(15 + stride, 17 + bob, 3, 5, kSuitShade);
    img.fillRect(15 + stride, 22 + bob, 3, 2, kSkin);
    img.fillRect(16, 16 + bob, 3, 1, kSkinShade);
    img.fillEllipse(14, 8 + bob, 6, 5, kHair);
    const int tips[][2] = {{6, 4}, {8, 1}, {12, 0}, {17, 1}, {6, 10}};
    spikes(img, bob, tips, 5, 8);
    img.fillEllipse(18, 11 + bob, 4, 4, kSkin);
    img.fillRect(14, 6 + bob, 8, 3, kHair);
    img.set(21, 9 + bob, kHair);
    img.set(15, 9 + bob, kHair);
    img.set(16, 7 + bob, kHairLight);
    img.fillRect(20, 11 + bob, 1, 2, kEye);
    img.set(22, 12 + bob, kSkin);
    img.set(15, 12 + bob, kSkinShade);
    return img;
}

PixelImage heroPose(Facing facing, int phase) {
    switch (facing) {
        case Facing::Down: return front(phase);
        case Facing::Up: return back(phase);
        default: return side(phase);
    }
}

}  // namespace

std::vector<SpriteSheet> heroAnimations() { return animationsFromPoses(heroPose, kWalkFrames, kWalkDelay); }

}  // namespace ocre
