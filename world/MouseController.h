#pragma once
// The operator's mouse as a controller. Holding the right button on one
// side of the steered actor walks it that way (ties between the axes go to
// up or down), both buttons together jump, a short left click (released
// within a few pixels of its press) is fire1, the middle button is fire2.
// Screen positions become world positions through a view's camera.

#include <cstdint>

#include "world/Controller.h"

namespace ocre {

class Actor;
class ActorView;

class MouseController : public Controller {
public:
    // followedActor: the variable that holds the steered actor; it is read
    // at every query, so it may be filled after the controller is built.
    MouseController(Actor* const* followedActor, const ActorView* view);

    int32_t up() override;
    int32_t down() override;
    int32_t left() override;
    int32_t right() override;
    int32_t jump() override;
    int32_t fire1() override;
    int32_t fire2() override;
    int32_t escape() override;

    // The pointer's current position in the world.
    int32_t pointerWorldX() const;
    int32_t pointerWorldY() const;
    // Whether the last button press fell on the actor's current frame box.
    bool pressHits(const Actor& actor) const;

private:
    enum class Heading { None, Up, Down, Left, Right };
    // Where the held right button asks the steered actor to go.
    Heading heading() const;
    int32_t toWorldX(int32_t screenX) const;
    int32_t toWorldY(int32_t screenY) const;

    Actor* const* followedActor_;
    const ActorView* view_;
};

}  // namespace ocre
