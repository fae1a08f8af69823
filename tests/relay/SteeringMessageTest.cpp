#include "relay/SteeringMessage.h"

#include <gtest/gtest.h>

#include <string>

namespace ocre::relay {
namespace {

BrowserMessage read(const std::string& text, bool binary = false) {
    return readBrowserMessage(text.data(), text.size(), binary);
}

TEST(SteeringMessage, ReadsTheFourRequests) {
    EXPECT_EQ(read("steer").request, BrowserRequest::Steer);
    EXPECT_EQ(read("release").request, BrowserRequest::Release);
    const BrowserMessage down = read("down go_right");
    EXPECT_EQ(down.request, BrowserRequest::KeyDown);
    EXPECT_STREQ(kSteeringWords[down.word], "go_right");
    const BrowserMessage up = read("up go_fire2");
    EXPECT_EQ(up.request, BrowserRequest::KeyUp);
    EXPECT_STREQ(kSteeringWords[up.word], "go_fire2");
}

TEST(SteeringMessage, IgnoresEscapeUnknownWordsAndOtherSpellings) {
    for (const char* text : {"down go_escape", "up go_escape", "down go_Right", "down  go_up", "down go_up ",
                             "Steer", "steer ", "", "down", "left go_left", "from CLIENT 1111 to SERVEUR go_up"})
        EXPECT_EQ(read(text).request, BrowserRequest::Ignore) << text;
    EXPECT_EQ(read(std::string("steer\0", 6)).request, BrowserRequest::Ignore);
}

TEST(SteeringMessage, ClosesOnBinaryOrOversizedMessages) {
    EXPECT_EQ(read("steer", true).request, BrowserRequest::Close);
    EXPECT_EQ(read(std::string(kMaxBrowserMessage, 'a')).request, BrowserRequest::Ignore);
    EXPECT_EQ(read(std::string(kMaxBrowserMessage + 1, 'a')).request, BrowserRequest::Close);
}

}  // namespace
}  // namespace ocre::relay
