#include "relay/LiveFrame.h"

#include <gtest/gtest.h>

namespace ocre::relay {
namespace {

LivePass samplePass() {
    LivePass pass;
    pass.sequence = 0xFFFFFFFEu;
    pass.cameraX = -3;
    pass.cameraY = 480;
    pass.actors = {{0, 50, 60, 4}, {1, -1, 0x7FFFFFFF, 7}};
    return pass;
}

TEST(LiveFrame, EncodesTheHeaderAndActorsLittleEndian) {
    const std::vector<uint8_t> frame = encodeLiveFrame(samplePass());
    ASSERT_EQ(frame.size(), 16u + 2 * 16u);
    EXPECT_EQ(frame[0], 1);
    EXPECT_EQ(frame[1], 2);
    EXPECT_EQ(frame[2], 0);
    EXPECT_EQ(frame[3], 0);
    EXPECT_EQ(frame[4], 0xFE);
    EXPECT_EQ(frame[7], 0xFF);
    EXPECT_EQ(frame[8], 0xFD);  // camera x -3
    EXPECT_EQ(frame[12], 480 & 0xFF);
    EXPECT_EQ(frame[13], 480 >> 8);
    EXPECT_EQ(frame[16 + 4], 50);   // first actor's x
    EXPECT_EQ(frame[32 + 12], 7);   // second actor's animation
}

TEST(LiveFrame, DecodesWhatItEncodes) {
    const LivePass pass = samplePass();
    const std::vector<uint8_t> frame = encodeLiveFrame(pass);
    std::string error;
    const auto decoded = decodeLiveFrame(frame.data(), frame.size(), error);
    ASSERT_TRUE(decoded) << error;
    EXPECT_EQ(decoded->sequence, pass.sequence);
    EXPECT_EQ(decoded->cameraX, pass.cameraX);
    EXPECT_EQ(decoded->cameraY, pass.cameraY);
    EXPECT_EQ(decoded->actors, pass.actors);
}

TEST(LiveFrame, KeepsAtMostTheActorsItsCountByteHolds) {
    LivePass pass;
    pass.actors.resize(300);
    const std::vector<uint8_t> frame = encodeLiveFrame(pass);
    EXPECT_EQ(frame[1], 255);
    EXPECT_EQ(frame.size(), kMaxLiveFrameSize);
}

TEST(LiveFrame, RefusesWrongVersionsAndLengths) {
    std::vector<uint8_t> frame = encodeLiveFrame(samplePass());
    std::string error;
    EXPECT_FALSE(decodeLiveFrame(frame.data(), 15, error));
    EXPECT_FALSE(decodeLiveFrame(frame.data(), frame.size() - 1, error));
    frame.push_back(0);
    EXPECT_FALSE(decodeLiveFrame(frame.data(), frame.size(), error));
    frame.pop_back();
    frame[0] = 2;
    EXPECT_FALSE(decodeLiveFrame(frame.data(), frame.size(), error));
    EXPECT_NE(error.find("version"), std::string::npos);
    EXPECT_FALSE(decodeLiveFrame(nullptr, 0, error));
}

}  // namespace
}  // namespace ocre::relay
