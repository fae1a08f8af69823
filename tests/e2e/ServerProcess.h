#pragma once
// Runs the real binaries for end-to-end tests: the server (or another
// program) in a folder of its own with its output captured, and reads the
// passes a client receives.

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/support/DefaultDataSet.h"
#include "tests/support/UdpPeer.h"

namespace ocre::test {

// Another of the project's programs, run the same way.
struct Program {
    const char* path;
};

class ServerProcess {
public:
    ServerProcess(Program program, const std::string& dir, const std::vector<std::string>& args,
                  const std::map<std::string, std::string>& env = {});
    // Starts ocre-server in dir with the given arguments and extra
    // environment (SDL_VIDEODRIVER=dummy and no DISPLAY unless env says
    // otherwise; an empty value unsets the variable).
    ServerProcess(const std::string& dir, const std::vector<std::string>& args,
                  const std::map<std::string, std::string>& env = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Waits until standard output contains text; false on timeout or exit.
    bool waitForOutput(const std::string& text, int timeoutMs);
    void signal(int signalNumber);
    // Waits for the process to end; false on timeout (then it is killed).
    bool waitForExit(int timeoutMs);

    const std::string& out();
    const std::string& err();
    bool exited() const { return exited_; }
    int exitStatus() const { return exitStatus_; }

private:
    void pump(int timeoutMs);
    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string out_;
    std::string err_;
    bool exited_ = false;
    bool reaped_ = false;
    int exitStatus_ = -1;
    int termSignal_ = 0;
};

constexpr const char* kBanner = "***************SERVEUR ZEL*****************\n";
constexpr uint16_t kServerPort = 5550;
constexpr size_t kDatagramSize = 100;

// A connection request from a client listening on the peer's port.
std::string connectionRequest(const std::string& login, const UdpPeer& peer, const std::string& password = "ocre");

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
