#pragma once
// The procedural pixel art of the default data set's characters and
// portraits. Every actor gets the eight animations of the common order:
// 0 walk down, 1 walk left, 2 walk right, 3 walk up, 4 stand down,
// 5 stand left, 6 stand right, 7 stand up.

#include <functional>
#include <vector>

#include "tools/defaultset/DataFileWriters.h"

namespace ocre {

enum class Facing { Down, Left, Right, Up };

constexpr int kAnimationCount = 8;
// Black is transparent in sprite frames, so outlines use a very dark
// colour that is not black.
constexpr Rgb kOutline{24, 18, 30};

// Paints one pose: a walk phase 0 .. walkFrames - 1, or kStandingPhase.
constexpr int kStandingPhase = -1;
using PosePainter = std::function<PixelImage(Facing facing, int phase)>;

// The walk cycle every character shares. The stride is +1 and -1 at the
// two contact frames and 0 at the passing ones, where the body rises by a
// pixel (a bob of -1); standing, both are 0.
constexpr int kWalkFrames = 4;
int walkStride(int phase);
int walkBob(int phase);

// The eight animations from a painter; the left-facing poses are the
// mirror images of the right-facing ones, and each pose gets its outline.
std::vector<SpriteSheet> animationsFromPoses(const PosePainter& paint, int walkFrames, uint16_t walkDelay);

std::vector<SpriteSheet> heroAnimations();     // songroku, 32 x 32
std::vector<SpriteSheet> sheepAnimations();    // mouton, 32 x 32
std::vector<SpriteSheet> dragonAnimations();   // dragourou, 48 x 48
std::vector<SpriteSheet> pointerAnimations();  // pointeur, 24 x 24, hot spot at the top-left corner
// Frame 0 the person spoken to (the mayor), frame 1 the player; 64 x 64.
SpriteSheet portraits();

}  // namespace ocre
