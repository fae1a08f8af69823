#pragma once
// Where the mouse pointer stands in the window now (not where it was last
// pressed). Tests may pin it, since the headless video driver has no mouse.

#include <cstdint>

namespace ocre {

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

ScreenPoint pointerPosition();

// From now on pointerPosition() answers this point, until cleared.
void pinPointerForTesting(int32_t x, int32_t y);
void unpinPointerForTesting();

}  // namespace ocre
