#include "world/Pointer.h"

#include <SDL.h>

namespace ocre {

namespace {
bool pinned = false;
ScreenPoint pinnedPoint;
}  // namespace

ScreenPoint pointerPosition() {
    if (pinned) return pinnedPoint;
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    return ScreenPoint{x, y};
}

void pinPointerForTesting(int32_t x, int32_t y) {
    pinned = true;
    pinnedPoint = ScreenPoint{x, y};
}

void unpinPointerForTesting() { pinned = false; }

}  // namespace ocre
