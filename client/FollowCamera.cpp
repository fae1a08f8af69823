#include "client/FollowCamera.h"

#include "protocol/CameraRule.h"

namespace ocre::client {

FollowCamera::FollowCamera(uint32_t mapWidth, uint32_t mapHeight, int32_t viewWidth, int32_t viewHeight)
    : mapWidth_(mapWidth), mapHeight_(mapHeight), viewWidth_(viewWidth), viewHeight_(viewHeight) {}

void FollowCamera::centreOn(int32_t x, int32_t y) {
    const int64_t wantedX = int64_t{x} - viewWidth_ / 2;
    if (protocol::originAllowed(wantedX, mapWidth_, viewWidth_)) x_ = static_cast<int32_t>(wantedX);
    const int64_t wantedY = int64_t{y} - viewHeight_ / 2;
    if (protocol::originAllowed(wantedY, mapHeight_, viewHeight_)) y_ = static_cast<int32_t>(wantedY);
}

}  // namespace ocre::client
