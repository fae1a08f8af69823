#pragma once
// The camera of a client that follows its own actor: centred on it with the
// same rule as the server's views, an origin that would show anything
// outside the map being refused, axis by axis.

#include <cstdint>

namespace ocre::client {

class FollowCamera {
public:
    FollowCamera(uint32_t mapWidth, uint32_t mapHeight, int32_t viewWidth, int32_t viewHeight);
    void centreOn(int32_t x, int32_t y);
    int32_t x() const { return x_; }
    int32_t y() const { return y_; }

private:
    int64_t mapWidth_;
    int64_t mapHeight_;
    int32_t viewWidth_;
    int32_t viewHeight_;
    int32_t x_ = 0;
    int32_t y_ = 0;
};

}  // namespace ocre::client
