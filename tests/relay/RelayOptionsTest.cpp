#include "relay/RelayOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace ocre::relay {
namespace {

bool parse(std::vector<std::string> words, RelayOptions& options, std::string& error) {
    words.insert(words.begin(), "ocre-relay");
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    return parseRelayOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(RelayOptions, ReadsEveryOption) {
    RelayOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--server", "gamehost", "--data", "set", "--http-port", "0", "--bind", "0.0.0.0", "--udp-port",
                       "6000", "--login", "edge", "--password", "pw", "--max-spectators", "5", "--steer", "--delay",
                       "300", "--upstream", "ws://top:8080/live", "--seconds", "2.5"},
                      options, error))
        << error;
    EXPECT_EQ(options.server, "gamehost");
    EXPECT_EQ(options.dataDirectory, "set");
    EXPECT_EQ(options.httpPort, 0);
    EXPECT_EQ(options.udpPort, 6000);
    EXPECT_EQ(options.maxSpectators, 5u);
    EXPECT_TRUE(options.steer);
    EXPECT_EQ(options.delaySeconds, 300);
    EXPECT_EQ(options.upstream, "ws://top:8080/live");
    EXPECT_DOUBLE_EQ(options.seconds, 2.5);
    const auto url = parseUpstreamUrl(options.upstream, error);
    ASSERT_TRUE(url);
    EXPECT_EQ(url->host, "top");
    EXPECT_EQ(url->port, 8080);
    EXPECT_EQ(url->path, "/live");
    EXPECT_EQ(parseUpstreamUrl("ws://top", error)->path, "/live");
}

TEST(RelayOptions, RefusesBadValuesWithAReason) {
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--delay", "301"}, {"--delay", "-1"}, {"--http-port", "65536"}, {"--udp-port", "x"},
          {"--max-spectators", "0"}, {"--seconds", "0"}, {"--seconds", "nan"}, {"--login", "two words"},
          {"--login", std::string(256, 'a')}, {"--server"}, {"--frobnicate"}, {"--upstream", "http://top:8080/live"},
          {"--upstream", "ws://:8080/live"}, {"--upstream", "ws://top:0/live"}, {"--upstream", "ws://top:99999/live"},
          {"--upstream", "ws://top:80x/live"}}) {
        RelayOptions options;
        std::string error;
        EXPECT_FALSE(parse(bad, options, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace ocre::relay
