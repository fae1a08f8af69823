// dragourou: a small green dragon with a yellow belly and flapping wings.

#include "tools/defaultset/CharacterArt.h"

namespace ocre {
namespace {

constexpr int kSize = 48;
constexpr uint16_t kWalkDelay = 3;

constexpr Rgb kScale{72, 168, 84};
constexpr Rgb kScaleShade{48, 128, 64};
constexpr Rgb kBelly{236, 212, 112};
constexpr Rgb kWing{196, 70, 58};
constexpr Rgb kWingBone{144, 44, 40};
constexpr Rgb kHorn{246, 236, 200};
constexpr Rgb kEyeWhite{250, 250, 240};
constexpr Rgb kPupil{30, 24, 40};
constexpr Rgb kRidge{244, 150, 48};

// The wings beat once per walk cycle.
int flapOf(int phase) { return phase < 0 ? 0 : (phase == 0 ? 0 : phase == 2 ? 8 : 4); }

void eye(PixelImage& img, int x, int y, int lookX) {
    img.fillRect(x, y, 3, 3, kEyeWhite);
    img.fillRect(x + 1 + lookX, y + 1, 1, 2, kPupil);
}

PixelImage side(int phase) {
    const int stride = walkStride(phase), flap = flapOf(phase);
    PixelImage img(kSize, kSize);
    img.fillTriangle(18, 26, 8, 6 + flap, 28, 20, kWing);
    img.line(18, 26, 8, 6 + flap, kWingBone);
    img.fillRect(25 - 3 * stride, 36, 4, 7, kScaleShade);
    img.fillTriangle(14, 30, 2, 36, 14, 36, kScale);
    img.fillTriangle(2, 36, 1, 30, 5, 34, kRidge);
    img.fillEllipse(21, 31, 10, 8, kScale);
    img.fillEllipse(25, 33, 6, 6, kBelly);
    img.fillRect(16 + 3 * stride, 36, 4, 7, kScale);
    img.fillRect(16 + 3 * stride, 42, 5, 2, kHorn);
    img.fillRect(25 - 3 * stride, 42, 5, 2, kHorn);
    for (int x = 13; x <= 25; x += 4) img.fillTriangle(x, 24, x + 2, 20, x + 4, 24, kRidge);
    img.fillEllipse(33, 17, 7, 6, kScale);
    img.fillRect(36, 17, 8, 6, kScale);
    img.fillRect(36, 21, 8, 2, kBelly);
    img.set(42, 18, kPupil);
    img.fillTriangle(29, 12, 27, 4, 32, 11, kHorn);
    img.fillTriangle(34, 11, 36, 4, 37, 12, kHorn);
    eye(img, 34, 14, 1);
    return img;
}

PixelImage front(int phase) {
    const int stride = walkStride(phase), flap = flapOf(phase);
    PixelImage img(kSize, kSize);
    img.fillTriangle(16, 30, 2, 12 + flap, 14, 20, kWing);
    img.fillTriangle(32, 30, 46, 12 + flap, 34, 20, kWing);
    img.line(16, 30, 2, 12 + flap, kWingBone);
    img.line(32, 30, 46, 12 + flap, kWingBone);
    img.fillRect(16, 37, 5, 6 + stride, kScaleShade);
    img.fillRect(27, 37, 5, 6 - stride, kScaleShade);
    img.fillRect(15, 42 + stride, 6, 2, kHorn);
    img.fillRect(27, 42 - stride, 6, 2, kHorn);
    img.fillEllipse(24, 31, 10, 9, kScale);
    img.fillEllipse(24, 33, 6, 7, kBelly);
    img.fillTriangle(17, 12, 13, 3, 20, 10, kHorn);
    img.fillTriangle(31, 12, 35, 3, 28, 10, kHorn);
    img.fillEllipse(24, 16, 9, 7, kScale);
    img.fillEllipse(24, 21, 5, 3, kBelly);
    img.set(22, 20, kPupil);
    img.set(26, 20, kPupil);
    eye(img, 18, 13, 0);
    eye(img, 27, 13, 0);
    return img;
}

PixelImage back(int phase) {
    const int stride = walkStride(phase), flap = flapOf(phase);
    PixelImage img(kSize, kSize);
    img.fillRect(16, 37, 5, 6 - stride, kScaleShade);
    img.fillRect(27, 37, 5, 6 + stride, kScaleShade);
    img.fillEllipse(24, 30, 10, 9, kScale);
    img.fillTriangle(21, 36, 27, 36, 24, 46, kScale);
    img.fillTriangle(22, 44, 26, 44, 24, 47, kRidge);
    img.fillTriangle(17, 12, 13, 3, 20, 10, kHorn);
    img.fillTriangle(31, 12, 35, 3, 28, 10, kHorn);
    img.fillEllipse(24, 15, 9, 7, kScale);
    img.fillTriangle(20, 28, 2, 10 + flap, 16, 18, kWing);
    img.fillTriangle(28, 28, 46, 10 + flap, 32, 18, kWing);
    img.line(20, 28, 2, 10 + flap, kWingBone);
    img.line(28, 28, 46, 10 + flap, kWingBone);
    for (int y = 9; y <= 33; y += 4) img.fillTriangle(22, y + 3, 24, y, 26, y + 3, kRidge);
    return img;
}

PixelImage dragonPose(Facing facing, int phase) {
    switch (facing) {
        case Facing::Down: return front(phase);
        case Facing::Up: return back(phase);
        default: return side(phase);
    }
}

}  // namespace

std::vector<SpriteSheet> dragonAnimations() { return animationsFromPoses(dragonPose, kWalkFrames, kWalkDelay); }

}  // namespace ocre
