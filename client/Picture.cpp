#include "client/Picture.h"

#include <SDL.h>

#include "client/ActorTable.h"
#include "client/WorldArt.h"
#include "gfx/Display.h"
#include "gfx/Surface.h"

namespace ocre::client {

namespace {
constexpr int32_t kStatusX = 4;
constexpr int32_t kStatusY = 2;

// The picture sits in the top-left corner of the window; every pixel is
// repeated scale x scale times, working from the bottom-right corner so
// that no pixel is overwritten before it is read.
void scaleUpInPlace(SDL_Surface* window, int scale) {
    if (SDL_LockSurface(window) != 0) return;
    for (int y = kPictureHeight - 1; y >= 0; --y)
        for (int x = kPictureWidth - 1; x >= 0; --x) {
            const uint32_t value = readPixelValue(window, static_cast<uint32_t>(x), static_cast<uint32_t>(y));
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    writePixelValue(window, static_cast<uint32_t>(x * scale + dx), static_cast<uint32_t>(y * scale + dy),
                                    value);
        }
    SDL_UnlockSurface(window);
}

}  // namespace

Picture::Picture(const WorldArt& art, Display& display, CameraMode camera, int scale)
    : art_(art),
      display_(display),
      mode_(camera),
      scale_(scale),
      follow_(art.map().pixelWidth(), art.map().pixelHeight(), kPictureWidth, kPictureHeight) {
    for (size_t i = 0; i < kActorCount; ++i) {
        std::vector<AnimatedSprite> animations;
        for (const FrameSet& frames : art.framesOf(i).records) animations.emplace_back(frames);
        sprites_.push_back(std::move(animations));
    }
}

void Picture::draw(const Pass& pass, const std::string& status) {
    if (mode_ == CameraMode::Server) {
        cameraX_ = pass.cameraX;
        cameraY_ = pass.cameraY;
    } else {
        const ActorState& steered = pass.actors[kSteeredActorIndex];
        if (steered.known) follow_.centreOn(steered.x, steered.y);
        cameraX_ = follow_.x();
        cameraY_ = follow_.y();
    }
    // At a larger scale the window is wider than the picture: nothing may
    // spill into the part that the scaling fills.
    display_.setClip(0, 0, kPictureWidth, kPictureHeight);
    display_.clear(0, 0, 0);
    art_.map().drawWindow(cameraX_, cameraY_, 0, 0, kPictureWidth, kPictureHeight);
    // The list is in depth order: later actors are drawn over earlier ones.
    for (size_t i = 0; i < pass.actors.size() && i < sprites_.size(); ++i)
        if (pass.actors[i].known) drawActor(i, pass.actors[i]);
    if (!status.empty())
        display_.drawText(kStatusX, kStatusY, status.c_str(), art_.font(), kPictureWidth, 0, 0, 0);
}

void Picture::drawActor(size_t index, const ActorState& actor) {
    if (actor.animation >= sprites_[index].size()) return;
    AnimatedSprite& sprite = sprites_[index][actor.animation];
    const int64_t x = int64_t{actor.x} - cameraX_;
    const int64_t y = int64_t{actor.y} - cameraY_;
    // Only a sprite that reaches into the picture is drawn: the blit takes
    // 16-bit positions, so one far away would wrap into view.
    if (x >= kPictureWidth || y >= kPictureHeight || x + int64_t{sprite.width} <= 0 ||
        y + int64_t{sprite.height} <= 0)
        return;
    sprite.draw(static_cast<int32_t>(x), static_cast<int32_t>(y), display_);
}

void Picture::present() {
    SDL_Surface* window = SDL_GetVideoSurface();
    if (!window) return;
    if (scale_ > 1) scaleUpInPlace(window, scale_);
    SDL_Flip(window);
}

}  // namespace ocre::client
