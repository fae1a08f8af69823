#include "world/Movement.h"

#include "data/Behaviour.h"
#include "data/Map.h"
#include "world/Actor.h"
#include "world/Scene.h"

namespace ocre {

// The right and bottom limits are taken unsigned, as the positions are.
bool acceptsPoint(const Actor& actor, int32_t x, int32_t y) {
    const Scene* scene = currentScene();
    if (scene == nullptr || x < 0 || y < 0) return false;
    return static_cast<uint32_t>(x) <= scene->mapWidth() - actor.currentWidth() &&
           static_cast<uint32_t>(y) <= scene->mapHeight() - actor.currentHeight();
}

bool stepAllowed(const Actor& actor, StepDirection direction, int32_t length) {
    const Scene* scene = currentScene();
    if (scene == nullptr || scene->map() == nullptr) return false;
    const Map& map = *scene->map();
    const auto s = static_cast<uint32_t>(length);
    const uint32_t h = actor.currentHeight();
    switch (direction) {
        case StepDirection::Right:
            return actor.x + s <= scene->mapWidth() - actor.currentWidth() &&
                   map.isWalkable(actor.x, actor.y, h, length, 0);
        case StepDirection::Left:
            return actor.x >= s && map.isWalkable(actor.x, actor.y, h, -length, 0);
        case StepDirection::Up:
            return actor.y >= s && map.isWalkable(actor.x, actor.y, h, 0, -length);
        case StepDirection::Down:
            return actor.y + s <= scene->mapHeight() - h && map.isWalkable(actor.x, actor.y, h, 0, length);
    }
    return false;
}

bool followBehaviour(Actor& actor, Behaviour& behaviour) {
    if (!behaviour.advance() || !acceptsPoint(actor, behaviour.currentX, behaviour.currentY)) return false;
    actor.x = static_cast<uint32_t>(behaviour.currentX);
    actor.y = static_cast<uint32_t>(behaviour.currentY);
    return true;
}

}  // namespace ocre
