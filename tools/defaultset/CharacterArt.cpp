#include "tools/defaultset/CharacterArt.h"

namespace ocre {
namespace {

PixelImage finished(PixelImage pose) {
    pose.outline(kOutline);
    return pose;
}

SpriteSheet walkSheet(const PosePainter& paint, Facing facing, int walkFrames, uint16_t delay) {
    SpriteSheet sheet;
    sheet.frameDelay = delay;
    for (int phase = 0; phase < walkFrames; ++phase) {
        PixelImage pose = facing == Facing::Left ? paint(Facing::Right, phase).mirrored() : paint(facing, phase);
        sheet.frames.push_back(finished(std::move(pose)));
    }
    return sheet;
}

SpriteSheet standSheet(const PosePainter& paint, Facing facing) {
    SpriteSheet sheet;
    PixelImage pose =
        facing == Facing::Left ? paint(Facing::Right, kStandingPhase).mirrored() : paint(facing, kStandingPhase);
    sheet.frames.push_back(finished(std::move(pose)));
    return sheet;
}

}  // namespace

int walkStride(int phase) { return phase == 0 ? 1 : phase == 2 ? -1 : 0; }

int walkBob(int phase) { return phase == 1 || phase == 3 ? -1 : 0; }

std::vector<SpriteSheet> animationsFromPoses(const PosePainter& paint, int walkFrames, uint16_t walkDelay) {
    const Facing order[4] = {Facing::Down, Facing::Left, Facing::Right, Facing::Up};
    std::vector<SpriteSheet> animations;
    for (Facing facing : order) animations.push_back(walkSheet(paint, facing, walkFrames, walkDelay));
    for (Facing facing : order) animations.push_back(standSheet(paint, facing));
    return animations;
}

}  // namespace ocre
