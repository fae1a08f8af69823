#include "world/JumpBehaviour.h"

#include <cmath>
#include <cstdint>

namespace ocre {

namespace {

// The arc is computed in extended precision and each coordinate truncated
// toward zero, so that the points come out exactly as the clients expect.
// An arc followed long enough runs out of 32 bits; it stops at the edge
// instead of converting an out-of-range value.
int32_t truncateToCoordinate(long double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<long double>(INT32_MAX)) return INT32_MAX;
    if (value <= static_cast<long double>(INT32_MIN)) return INT32_MIN;
    return static_cast<int32_t>(value);
}

constexpr long double kHalf = 0.5L;

}  // namespace

JumpBehaviour::JumpBehaviour(int32_t originX, int32_t originY, int32_t originZ, float velocityX, float velocityY,
                             float velocityZ, float gravity, float timeStep)
    : originX_(originX),
      originY_(originY),
      originZ_(originZ),
      velocityX_(velocityX),
      velocityY_(velocityY),
      velocityZ_(velocityZ),
      gravity_(gravity),
      timeStep_(timeStep) {
    previousX = currentX = originX;
    previousY = currentY = originY;
    previousZ = currentZ = originZ;
}

bool JumpBehaviour::advance() {
    previousX = currentX;
    previousY = currentY;
    previousZ = currentZ;
    const long double step = stepNumber_;
    const long double timeStep = timeStep_;
    const long double elapsed = step * timeStep;
    currentX = truncateToCoordinate(elapsed * velocityX_ + originX_);
    currentY = truncateToCoordinate(timeStep * timeStep * step * step * gravity_ * kHalf + elapsed * velocityY_ +
                                    originY_);
    currentZ = truncateToCoordinate(elapsed * velocityZ_ + originZ_);
    stepNumber_ = static_cast<int32_t>(static_cast<uint32_t>(stepNumber_) + 1U);
    return true;
}

}  // namespace ocre
