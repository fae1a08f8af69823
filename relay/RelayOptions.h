#pragma once
// The relay's command line.

#include <cstdint>
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

// False with a one-line reason for a bad command line.
bool parseRelayOptions(int argc, char** argv, RelayOptions& options, std::string& error);
const char* relayUsage();

}  // namespace ocre::relay
