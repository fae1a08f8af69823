// pointeur: the mouse arrow. Its tip is the frame's top-left corner, since
// the pointer actor stands at the mouse position; a small chevron beside
// it shows the direction of the animation, and pulses in the walking ones.

#include "tools/defaultset/CharacterArt.h"

namespace ocre {
namespace {

constexpr int kSize = 24;
constexpr uint16_t kPulseDelay = 4;

constexpr Rgb kArrow{250, 250, 246};
constexpr Rgb kArrowShade{200, 204, 214};
constexpr Rgb kChevron{250, 204, 56};

PixelImage arrow() {
    PixelImage img(kSize, kSize);
    img.fillTriangle(1, 1, 1, 15, 11, 11, kArrow);
    img.fillTriangle(4, 11, 7, 10, 9, 18, kArrow);
    img.fillTriangle(4, 11, 9, 18, 7, 19, kArrow);
    img.line(2, 4, 2, 12, kArrowShade);
    return img;
}

void chevron(PixelImage& img, Facing facing, int size) {
    const int cx = 17, cy = 17;
    switch (facing) {
        case Facing::Down: img.fillTriangle(cx - size, cy - size / 2, cx + size, cy - size / 2, cx, cy + size, kChevron); break;
        case Facing::Up: img.fillTriangle(cx - size, cy + size / 2, cx + size, cy + size / 2, cx, cy - size, kChevron); break;
        case Facing::Left: img.fillTriangle(cx + size / 2, cy - size, cx + size / 2, cy + size, cx - size, cy, kChevron); break;
        case Facing::Right: img.fillTriangle(cx - size / 2, cy - size, cx - size / 2, cy + size, cx + size, cy, kChevron); break;
    }
}

PixelImage pose(Facing facing, int chevronSize) {
    PixelImage img = arrow();
    chevron(img, facing, chevronSize);
    img.outline(kOutline);
    return img;
}

}  // namespace

std::vector<SpriteSheet> pointerAnimations() {
    const Facing order[4] = {Facing::Down, Facing::Left, Facing::Right, Facing::Up};
    std::vector<SpriteSheet> animations;
    for (Facing facing : order) {
        SpriteSheet walk;
        walk.frameDelay = kPulseDelay;
        walk.frames.push_back(pose(facing, 3));
        walk.frames.push_back(pose(facing, 4));
        animations.push_back(std::move(walk));
    }
    for (Facing facing : order) {
        SpriteSheet stand;
        stand.frames.push_back(pose(facing, 3));
        animations.push_back(std::move(stand));
    }
    return animations;
}

}  // namespace ocre
