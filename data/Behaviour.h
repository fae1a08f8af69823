#pragma once
// A movement program: each advance produces the next point of a route;
// the step and direction queries compare it with the previous point.

#include <cstdint>

namespace ocre {

class Behaviour {
public:
    virtual ~Behaviour() = default;
    // previous := current, then the next current point; false once the
    // program has ended.
    virtual bool advance() = 0;

    int32_t stepDown();
    int32_t stepUp();
    int32_t stepRight();
    int32_t stepLeft();
    bool mostlyDown();
    bool mostlyUp();
    bool mostlyLeft();
    bool mostlyRight();

    int32_t previousX = 0, previousY = 0, previousZ = 0;
    int32_t currentX = 0, currentY = 0, currentZ = 0;
    // The amounts last computed by the queries.
    int32_t stepDownAmount = 0, stepRightAmount = 0, stepUpAmount = 0, stepLeftAmount = 0;

private:
    void storeHorizontal(int64_t distance);
    void storeVertical(int64_t distance);
};

}  // namespace ocre
