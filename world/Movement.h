#pragma once
// The map rules shared by the walkers, against the current scene's map:
// which points a followed behaviour may take the actor to, and which fixed
// steps are allowed. Without a current scene or map nothing may move.

#include <cstdint>

namespace ocre {

class Actor;
class Behaviour;

enum class StepDirection { Right, Left, Up, Down };

// Whether (x, y) keeps the actor's current frame inside the map.
bool acceptsPoint(const Actor& actor, int32_t x, int32_t y);

// Whether a step of the given length stays inside the map and lands on a
// walkable cell.
bool stepAllowed(const Actor& actor, StepDirection direction, int32_t length);

// Advances the behaviour; when the new point is accepted the actor moves
// there and the answer is true.
bool followBehaviour(Actor& actor, Behaviour& behaviour);

}  // namespace ocre
