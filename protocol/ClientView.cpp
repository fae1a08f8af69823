#include "protocol/ClientView.h"

#include <cstdio>

#include "net/NetworkService.h"
#include "protocol/CameraRule.h"
#include "world/Actor.h"
#include "world/Scene.h"

namespace ocre::protocol {

namespace {

int32_t wrapToInt32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

}  // namespace

ClientView::ClientView(uint32_t clientNumber, int32_t width, int32_t height, Scene& scene, NetworkService& service,
                       const char* host, uint16_t port)
    : clientNumber_(clientNumber), scene_(scene), width_(width), height_(height), service_(service) {
    hasDestination_ = service_.resolve_host(&destination_, host, port) != -1;
}

void ClientView::refresh() {
    message_.fill(0);
    std::snprintf(message_.data(), message_.size(), kCameraFormat, clientNumber_, static_cast<unsigned>(originX_),
                  static_cast<unsigned>(originY_));
    sendMessage();

    if (followed_) centreOn(static_cast<int32_t>(followed_->x), static_cast<int32_t>(followed_->y));

    for (int32_t i = 0; i < scene_.sharedCount(); ++i) {
        const Actor* actor = scene_.sharedActor(i);
        message_.fill(0);
        std::snprintf(message_.data(), message_.size(), kActorFormat, clientNumber_, static_cast<unsigned>(i),
                      actor->x, actor->y, actor->animationIndex());
        sendMessage();
    }
}

void ClientView::sendMessage() {
    // A failed send is only recorded by the transport: the next pass sends a
    // complete picture again.
    if (hasDestination_) service_.send_udp(&destination_, message_.data(), static_cast<int>(message_.size()));
}

void ClientView::centreOn(int32_t x, int32_t y) {
    const int64_t wantedX = int64_t{x} - width_ / 2;
    if (originAllowed(wantedX, scene_.mapWidth(), width_)) originX_ = static_cast<int32_t>(wantedX);
    const int64_t wantedY = int64_t{y} - height_ / 2;
    if (originAllowed(wantedY, scene_.mapHeight(), height_)) originY_ = static_cast<int32_t>(wantedY);
}

void ClientView::setOriginX(int32_t x) {
    if (originAllowed(x, scene_.mapWidth(), width_)) originX_ = x;
}

void ClientView::setOriginY(int32_t y) {
    if (originAllowed(y, scene_.mapHeight(), height_)) originY_ = y;
}

void ClientView::setFollowedActor(Actor* actor) {
    if (followed_ && followed_->followedBy == this) followed_->followedBy = nullptr;
    followed_ = actor;
    originX_ = 0;
    originY_ = 0;
    if (!actor) return;
    centreOn(static_cast<int32_t>(actor->x), static_cast<int32_t>(actor->y));
    actor->followedBy = this;
}

int32_t ClientView::toWorldX(int32_t screenX) const { return wrapToInt32(int64_t{originX_} + screenX); }

int32_t ClientView::toWorldY(int32_t screenY) const { return wrapToInt32(int64_t{originY_} + screenY); }

}  // namespace ocre::protocol
