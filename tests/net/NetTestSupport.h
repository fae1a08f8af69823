#pragma once
// Shared pieces of the transport tests: the transport brought up around each
// test, free loopback ports, plain POSIX peers, and waiting for the socket
// manager's events with a deadline.

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_net.h>

#include <string>
#include <vector>

namespace ocre::test {

// SDL (video on the dummy driver, for the event queue), SDL_net, the event
// queue and the socket manager, up for the test and down after it.
class TransportTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A port no socket is bound to right now (SOCK_DGRAM or SOCK_STREAM).
Uint16 freePort(int type);
IPaddress loopback(Uint16 port);

// A plain TCP socket, closed when destroyed.
class PosixTcp {
public:
    PosixTcp();
    ~PosixTcp();
    PosixTcp(const PosixTcp&) = delete;
    PosixTcp& operator=(const PosixTcp&) = delete;
    bool connectTo(Uint16 port);
    bool listenOn(Uint16 port);
    // The accepted peer, waiting at most timeoutMs.
    int acceptOne(int timeoutMs);
    bool sendAll(const std::string& bytes);
    void close();
    int fd() const { return fd_; }

private:
    int fd_;
};

// Closes fd so that the peer sees a reset rather than an orderly end.
void resetAndClose(int fd);

// Socket-manager events (SDL user events) polled within the time given.
std::vector<SDL_Event> eventsDuring(int milliseconds);
// Polls until an event of this code for this socket (any socket if -1)
// arrives; every event polled on the way is appended to seen.
bool waitForEvent(int code, int socket, int timeoutMs, std::vector<SDL_Event>& seen);
bool waitForEvent(int code, int socket, int timeoutMs);
int countEvents(const std::vector<SDL_Event>& events, int code, int socket);

// The number of threads of this process.
int threadCount();

}  // namespace ocre::test
