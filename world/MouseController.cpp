#include "world/MouseController.h"

#include <SDL_keysym.h>

#include <cstdlib>

#include "gfx/Input.h"
#include "world/Actor.h"
#include "world/ActorView.h"
#include "world/Pointer.h"

namespace ocre {

namespace {

// How far (in pixels, on each axis) the pointer may have moved between the
// press and now for the release to count as a click rather than a drag.
constexpr int64_t kClickTolerance = 5;

int64_t magnitude(int32_t value) { return std::llabs(static_cast<int64_t>(value)); }

}  // namespace

MouseController::MouseController(Actor* const* followedActor, const ActorView* view)
    : followedActor_(followedActor), view_(view) {}

int32_t MouseController::toWorldX(int32_t screenX) const { return view_ ? view_->toWorldX(screenX) : screenX; }
int32_t MouseController::toWorldY(int32_t screenY) const { return view_ ? view_->toWorldY(screenY) : screenY; }

int32_t MouseController::pointerWorldX() const { return toWorldX(pointerPosition().x); }
int32_t MouseController::pointerWorldY() const { return toWorldY(pointerPosition().y); }

bool MouseController::pressHits(const Actor& actor) const {
    return actor.hitTest(static_cast<uint32_t>(toWorldX(mouseX())), static_cast<uint32_t>(toWorldY(mouseY())));
}

MouseController::Heading MouseController::heading() const {
    const Actor* actor = followedActor_ ? *followedActor_ : nullptr;
    if (actor == nullptr || buttonDown(kRightButton) == 0) return Heading::None;
    const ScreenPoint pointer = pointerPosition();
    // Positions are unsigned; their difference is read as a signed offset.
    const auto dx = static_cast<int32_t>(actor->x - static_cast<uint32_t>(toWorldX(pointer.x)));
    const auto dy = static_cast<int32_t>(actor->y - static_cast<uint32_t>(toWorldY(pointer.y)));
    if (magnitude(dx) <= magnitude(dy)) return dy >= 0 ? Heading::Up : Heading::Down;
    return dx >= 0 ? Heading::Left : Heading::Right;
}

int32_t MouseController::up() { return heading() == Heading::Up; }
int32_t MouseController::down() { return heading() == Heading::Down; }
int32_t MouseController::left() { return heading() == Heading::Left; }
int32_t MouseController::right() { return heading() == Heading::Right; }

int32_t MouseController::jump() { return buttonDown(kLeftButton) != 0 && buttonDown(kRightButton) != 0; }

int32_t MouseController::fire1() {
    if (buttonClicked(kLeftButton) == 0) return 0;
    const ScreenPoint pointer = pointerPosition();
    return std::llabs(int64_t{pointer.x} - mouseX()) <= kClickTolerance &&
           std::llabs(int64_t{pointer.y} - mouseY()) <= kClickTolerance;
}

int32_t MouseController::fire2() { return buttonDown(kMiddleButton) != 0; }

int32_t MouseController::escape() { return keyState(SDLK_ESCAPE); }

}  // namespace ocre
