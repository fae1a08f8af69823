#pragma once
// Runs the real binaries for end-to-end tests: the server (or another
// program) in a folder of its own with its output captured, and reads the
// passes a client receives.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/DefaultDataSet.h"
#include "tests/support/ProtocolLines.h"
#include "tests/support/UdpPeer.h"

namespace ocre::test {

// Another of the project's programs, run the same way.
struct Program { const char* path; };

// A program run in dir with the given arguments and extra environment
// (SDL_VIDEODRIVER=dummy and no DISPLAY unless env says otherwise; an empty
// value unsets the variable): ocre-server unless another program is named.
class ServerProcess : public ChildProcess {
public:
    ServerProcess(Program program, const std::string& dir, const std::vector<std::string>& args,
                  const std::map<std::string, std::string>& env = {});
    ServerProcess(const std::string& dir, const std::vector<std::string>& args,
                  const std::map<std::string, std::string>& env = {});
};

constexpr const char* kBanner = "***************SERVEUR ZEL*****************\n";
constexpr uint16_t kServerPort = 5550;
constexpr size_t kDatagramSize = 100;

// A connection request from a client listening on the peer's port.
inline std::string connectionRequest(const std::string& login, const UdpPeer& peer,
                                     const std::string& password = "ocre") {
    return connectionRequest(login, password, peer.port(), "127.0.0.1");
}

struct ActorState {
    unsigned index, x, y, animation;
};

// One camera message and the actor messages after it.
struct Pass {
    unsigned client = 0, cameraX = 0, cameraY = 0;
    std::vector<ActorState> actors;
};

// The passes the peer receives for a while (each datagram checked to be
// 100 bytes, zero-padded); other texts go to others when given. The last
// pass, which the deadline may cut, is dropped.
std::vector<Pass> collectPasses(UdpPeer& peer, int milliseconds, std::vector<std::string>* others = nullptr);

}  // namespace ocre::test
