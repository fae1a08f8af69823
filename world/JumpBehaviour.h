#pragma once
// A ballistic arc as a movement program: from its origin, at a constant
// velocity pulled down by gravity, one time step per advance. It never ends;
// whoever follows it stops when the arc leaves the map.

#include <cstdint>

#include "data/Behaviour.h"

namespace ocre {

class JumpBehaviour : public Behaviour {
public:
    // The first advance yields the origin itself.
    JumpBehaviour(int32_t originX, int32_t originY, int32_t originZ, float velocityX, float velocityY,
                  float velocityZ, float gravity, float timeStep);

    bool advance() override;

    int32_t stepNumber() const { return stepNumber_; }

private:
    int32_t originX_;
    int32_t originY_;
    int32_t originZ_;
    float velocityX_;
    float velocityY_;
    float velocityZ_;
    float gravity_;
    float timeStep_;
    int32_t stepNumber_ = 0;
};

}  // namespace ocre
