#include "tests/client/ClientTestSupport.h"

#include <cstdio>

#include "protocol/ProtocolTexts.h"
#include "tests/support/DefaultDataSet.h"

namespace ocre::test {

void ClientArt::SetUp() {
    ASSERT_TRUE(copyDefaultDataSet(dir.path()));
    display = std::make_unique<DisplaySDL>(client::kPictureWidth, client::kPictureHeight, 32);
    display->open();
    std::string error;
    ASSERT_TRUE(art.load(dir.path(), *display, error)) << error;
}

std::vector<uint8_t> ClientArt::datagram(const std::string& text) {
    std::vector<uint8_t> bytes(protocol::kDatagramSize, 0);
    std::copy(text.begin(), text.end(), bytes.begin());
    return bytes;
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

uint32_t ClientArt::surfaceColour(SDL_Surface* s, int x, int y) {
    SDL_LockSurface(s);
    const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
    const uint32_t value = reinterpret_cast<const uint32_t*>(row)[x];
    SDL_UnlockSurface(s);
    Uint8 r, g, b;
    SDL_GetRGB(value, s->format, &r, &g, &b);
    return uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}

uint32_t ClientArt::screenColour(int x, int y) { return surfaceColour(displayScreen(), x, y); }

}  // namespace ocre::test
