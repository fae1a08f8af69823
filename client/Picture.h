#pragma once
// Draws what the client shows, through the server's own drawing code: the
// map under the camera, every known actor of a pass with its sprite and
// animation (frames advancing at each sprite file's delay, one step per
// pass drawn), and the status line. The picture is 640 x 480; at a larger
// scale every pixel is repeated before the window is updated.

#include <cstdint>
#include <string>
#include <vector>

#include "client/FollowCamera.h"
#include "client/PassReader.h"
#include "protocol/ProtocolTexts.h"
#include "world/AnimatedSprite.h"

namespace ocre {
class Display;
}

namespace ocre::client {

class WorldArt;

// The picture shows what the server sends a client: its view.
constexpr int32_t kPictureWidth = protocol::kClientViewWidth;
constexpr int32_t kPictureHeight = protocol::kClientViewHeight;

enum class CameraMode { Follow, Server };

class Picture {
public:
    Picture(const WorldArt& art, Display& display, CameraMode camera, int scale);

    // Draws the pass with the status line over it (none when empty).
    void draw(const Pass& pass, const std::string& status);
    // Shows what was drawn in the window.
    void present();

    int32_t cameraX() const { return cameraX_; }
    int32_t cameraY() const { return cameraY_; }

private:
    void drawActor(size_t index, const ActorState& actor);

    const WorldArt& art_;
    Display& display_;
    CameraMode mode_;
    int scale_;
    FollowCamera follow_;
    int32_t cameraX_ = 0;
    int32_t cameraY_ = 0;
    // Per actor index, one playback record per animation, as the server's
    // actors keep them.
    std::vector<std::vector<AnimatedSprite>> sprites_;
};

}  // namespace ocre::client
