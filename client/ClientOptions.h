#pragma once
// The command line of ocre-client. Bad usage gives a one-line reason.

#include <cstdint>
#include <string>

#include "client/Picture.h"

namespace ocre::client {

struct ClientOptions {
    bool help = false;
    std::string host = "localhost";
    std::string login;  // empty: the user's name
    std::string password;
    uint16_t port = 0;  // 0: any free port
    int scale = 1;
    std::string dataDirectory;  // empty: not given, see chooseDataSetFolder
    CameraMode camera = CameraMode::Follow;
    bool statusLine = true;
    std::string recordFile;
    std::string replayFile;
    double replaySpeed = 1.0;
    double seconds = 0;  // 0: until quit
};

constexpr int kMaxScale = 4;

// False with a one-line reason (no newline) on bad usage.
bool parseClientOptions(int argc, char** argv, ClientOptions& options, std::string& error);
std::string clientUsage();

}  // namespace ocre::client
