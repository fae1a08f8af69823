#pragma once
// One client's camera and destination. Every scene pass it sends the
// client where its camera stands, then where every actor of the shared
// list is and which animation it shows, as 100-byte text datagrams. The
// camera also turns screen positions into world positions on the server.

#include <SDL_net.h>

#include <array>
#include <cstdint>

#include "protocol/ProtocolTexts.h"
#include "world/ActorView.h"

namespace ocre {

class Actor;
class NetworkService;
class Scene;

namespace protocol {

class ClientView : public ActorView {
public:
    // The destination is resolved from host and port; if that fails the
    // view has nowhere to send and stays silent.
    ClientView(uint32_t clientNumber, int32_t width, int32_t height, Scene& scene, NetworkService& service,
               const char* host, uint16_t port);
    // The followed actor points back at this view: a view stays where it is.
    ClientView(const ClientView&) = delete;
    ClientView& operator=(const ClientView&) = delete;

    // Camera message, then centring on the followed actor, then one message
    // per actor of the shared list.
    void refresh() override;

    // Moves the camera so that the point is in the middle, axis by axis,
    // within the rule of setOriginX/setOriginY.
    void centreOn(int32_t x, int32_t y);
    // A value that would show anything outside the map is refused and the
    // axis keeps its origin; nothing is clamped.
    void setOriginX(int32_t x);
    void setOriginY(int32_t y);

    // The camera follows this actor from now on (at start-up: actor 1).
    void setFollowedActor(Actor* actor);
    Actor* followedActor() const { return followed_; }

    int32_t toWorldX(int32_t screenX) const override;
    int32_t toWorldY(int32_t screenY) const override;
    uint32_t clientNumber() const override { return clientNumber_; }

    int32_t originX() const { return originX_; }
    int32_t originY() const { return originY_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

private:
    // The text now ends there; the rest of the buffer is made zero.
    void setTextEnd(char* end);
    // Sends the whole message buffer, terminator and zero padding included.
    void sendMessage();

    Actor* followed_ = nullptr;
    int32_t originX_ = 0;
    int32_t originY_ = 0;
    uint32_t clientNumber_;
    Scene& scene_;
    int32_t width_;
    int32_t height_;
    NetworkService& service_;
    std::array<char, kDatagramSize> message_{};
    size_t textLength_ = 0;  // the buffer is zero from here on
    IPaddress destination_{};
    bool hasDestination_ = false;
};

}  // namespace protocol
}  // namespace ocre
