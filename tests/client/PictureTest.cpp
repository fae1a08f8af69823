#include "client/Picture.h"

#include <gtest/gtest.h>

#include "client/ActorTable.h"
#include "client/FollowCamera.h"
#include "tests/client/ClientTestSupport.h"

namespace ocre::test {
namespace {

using client::CameraMode;
using client::kPictureHeight;
using client::kPictureWidth;
using client::Pass;
using client::Picture;

class PictureTest : public ClientArt {
protected:
    Pass emptyPass() const {
        Pass pass;
        pass.actors.resize(client::kActorCount);
        return pass;
    }
    // The frame a sprite shows at its first drawing: drawing advances
    // first, so with no delay the second frame is the first one shown.
    static int firstFrame(const FrameSet& frames) { return frames.frameDelay == 0 && frames.frameCount > 1 ? 1 : 0; }

    // Every opaque pixel of the frame is on the screen at (x, y), as far as
    // it falls inside the picture; returns how many were compared.
    int expectSpriteAt(const FrameSet& frames, int x, int y) {
        SDL_Surface* frame = frames.frames[static_cast<size_t>(firstFrame(frames))]->sdlSurface();
        int compared = 0;
        for (int fy = 0; fy < frame->h; ++fy)
            for (int fx = 0; fx < frame->w; ++fx) {
                const uint32_t colour = colourAt(frame, fx, fy);
                const int sx = x + fx, sy = y + fy;
                if (colour == 0 || sx < 0 || sy < 0 || sx >= kPictureWidth || sy >= kPictureHeight) continue;
                EXPECT_EQ(screenColour(sx, sy), colour) << "sprite pixel " << fx << "," << fy;
                ++compared;
            }
        return compared;
    }
};

TEST_F(PictureTest, TheMapUnderTheCameraMatchesTheTilesCellForCell) {
    Picture picture(art, *display, CameraMode::Server, 1);
    Pass pass = emptyPass();
    pass.cameraX = 180, pass.cameraY = 170;  // not on a tile boundary, so partial cells show on every edge
    picture.draw(pass, "");
    const Map& map = art.map();
    for (int y = 0; y < kPictureHeight; y += 3)
        for (int x = 0; x < kPictureWidth; x += 3) {
            const uint32_t wx = static_cast<uint32_t>(x + pass.cameraX), wy = static_cast<uint32_t>(y + pass.cameraY);
            const Tile* tile = map.cell(wx / map.tileWidth(), wy / map.tileHeight());
            ASSERT_NE(tile, nullptr);
            const uint32_t colour = colourAt(tile->surface->sdlSurface(), static_cast<int>(wx % map.tileWidth()),
                                                  static_cast<int>(wy % map.tileHeight()));
            // A transparent tile's black shows the black under the map.
            ASSERT_EQ(screenColour(x, y), colour) << "at " << x << "," << y;
        }
}

TEST_F(PictureTest, EachActorsSpriteLandsAtItsPositionWithItsAnimation) {
    Picture picture(art, *display, CameraMode::Server, 1);
    Pass pass = emptyPass();
    pass.cameraX = 32;
    for (size_t i = 0; i < client::kActorCount; ++i)
        pass.actors[i] = {true, static_cast<int32_t>(60 + 100 * i), static_cast<int32_t>(100 + 30 * i), static_cast<uint32_t>(i)};
    picture.draw(pass, "");
    for (size_t i = 0; i < client::kActorCount; ++i) {
        const FrameSet& frames = art.framesOf(i).records[pass.actors[i].animation];
        EXPECT_GT(expectSpriteAt(frames, pass.actors[i].x - 32, pass.actors[i].y), 20) << "actor " << i;
    }
}

TEST_F(PictureTest, WrappedAndFarPositionsDrawOnlyWhatReachesThePicture) {
    Picture picture(art, *display, CameraMode::Server, 1);
    picture.draw(emptyPass(), "");
    std::vector<uint32_t> before;
    for (int x = 0; x < 200; ++x) before.push_back(screenColour(x, 300));

    Pass pass = emptyPass();
    // 2^32 - 12 on the wire: twelve pixels left of the picture.
    pass.actors[client::kSteeredActorIndex] = {true, static_cast<int32_t>(4294967284u), 200, 4};
    // Far to the right: a 16-bit blit position would wrap it to x = 100.
    pass.actors[0] = {true, 65536 + 100, 280, 4};
    picture.draw(pass, "");
    const FrameSet& dragon = art.framesOf(client::kSteeredActorIndex).records[4];
    EXPECT_GT(expectSpriteAt(dragon, -12, 200), 20);
    for (int x = 0; x < 200; ++x) ASSERT_EQ(screenColour(x, 300), before[static_cast<size_t>(x)]) << "at " << x;
}

TEST_F(PictureTest, TheCameraFollowsTheSteeredActorWithinTheMapEdges) {
    Picture picture(art, *display, CameraMode::Follow, 1);
    const int32_t width = static_cast<int32_t>(art.map().pixelWidth());
    const int32_t height = static_cast<int32_t>(art.map().pixelHeight());
    ASSERT_TRUE(width > kPictureWidth && height > kPictureHeight);
    Pass pass = emptyPass();
    auto follow = [&](int32_t x, int32_t y) {
        pass.actors[client::kSteeredActorIndex] = {true, x, y, 4};
        picture.draw(pass, "");
        return std::make_pair(picture.cameraX(), picture.cameraY());
    };
    EXPECT_EQ(follow(500, 400), std::make_pair(180, 160));
    // Beyond the right edge only x is refused, and keeps its origin.
    EXPECT_EQ(follow(width - 100, 300), std::make_pair(180, 60));
    EXPECT_EQ(follow(width - 320, height - 240), std::make_pair(width - 640, height - 480));
    EXPECT_EQ(follow(100, 100), std::make_pair(width - 640, height - 480));
    EXPECT_EQ(follow(-40, 320), std::make_pair(width - 640, 80));
    // What is drawn is the map at that camera, the dragon centred.
    follow(800, 600);
    const FrameSet& dragon = art.framesOf(client::kSteeredActorIndex).records[4];
    EXPECT_GT(expectSpriteAt(dragon, kPictureWidth / 2, kPictureHeight / 2), 20);
}

}  // namespace
}  // namespace ocre::test
