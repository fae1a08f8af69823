#include "tests/client/ClientTestSupport.h"

#include <cstdio>

#include "protocol/ProtocolTexts.h"
#include "tests/support/DefaultDataSet.h"
#include "tests/support/ProtocolLines.h"

namespace ocre::test {

void ClientArt::SetUp() {
    ASSERT_TRUE(copyDefaultDataSet(dir.path()));
    display = std::make_unique<DisplaySDL>(client::kPictureWidth, client::kPictureHeight, 32);
    display->open();
    std::string error;
    ASSERT_TRUE(art.load(dir.path(), *display, error)) << error;
}

std::vector<uint8_t> ClientArt::datagram(const std::string& text) {
    const std::string bytes = padded(text);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::string ClientArt::camera(uint32_t client, uint32_t x, uint32_t y) {
    char text[protocol::kDatagramSize] = {};
    std::snprintf(text, sizeof text, protocol::kCameraFormat, client, x, y);
    return text;
}

std::string ClientArt::actor(uint32_t client, uint32_t index, uint32_t x, uint32_t y, uint32_t animation) {
    char text[protocol::kDatagramSize] = {};
    std::snprintf(text, sizeof text, protocol::kActorFormat, client, index, x, y, animation);
    return text;
}

}  // namespace ocre::test
