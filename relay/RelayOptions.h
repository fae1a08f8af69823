#pragma once
// The relay's command line.

#include <cstdint>
#include <optional>
#include <string>

namespace ocre::relay {

struct RelayOptions {
    std::string server = "localhost";
    std::string dataDirectory = ".";
    uint16_t httpPort = 8080;
    std::string bindAddress = "127.0.0.1";
    uint16_t udpPort = 5551;
    std::string login = "relay";
    std::string password;  // empty: the server's own password
    size_t maxSpectators = 1000;
    bool steer = false;
    int delaySeconds = 0;
    std::string upstream;
    double seconds = 0;  // stop by itself after this long; 0: never
    bool help = false;
};

struct UpstreamUrl {
    std::string host;
    uint16_t port = 0;
    std::string path;
};

// ws://HOST:PORT/PATH (PORT defaults to 80, PATH to /live); nothing with a
// reason for anything else.
std::optional<UpstreamUrl> parseUpstreamUrl(const std::string& text, std::string& error);

// False with a one-line reason for a bad command line (an upstream URL
// that parseUpstreamUrl refuses included).
bool parseRelayOptions(int argc, char** argv, RelayOptions& options, std::string& error);
const char* relayUsage();

}  // namespace ocre::relay
