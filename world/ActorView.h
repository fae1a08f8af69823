#pragma once
// What the world needs of a client view: the scene refreshes registered
// views every pass, and the mouse reads a view's camera to turn screen
// positions into world positions. The client protocol implements it.

#include <cstdint>

namespace ocre {

class ActorView {
public:
    virtual ~ActorView() = default;
    virtual void refresh() = 0;
    virtual int32_t toWorldX(int32_t screenX) const = 0;
    virtual int32_t toWorldY(int32_t screenY) const = 0;
    virtual uint32_t clientNumber() const = 0;
};

}  // namespace ocre
