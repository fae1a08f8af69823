#pragma once
// A plain POSIX UDP socket bound on every local address, and the host
// look-ups the bot needs (IPv4, as the server speaks it).

#include <netinet/in.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace ocre::common {

class UdpEndpoint {
public:
    UdpEndpoint() = default;
    ~UdpEndpoint();
    UdpEndpoint(const UdpEndpoint&) = delete;
    UdpEndpoint& operator=(const UdpEndpoint&) = delete;

    // Binds the port (0: any free port); false with a reason.
    bool open(uint16_t port, std::string& error);
    uint16_t port() const { return port_; }
    int descriptor() const { return fd_; }

    bool sendTo(const sockaddr_in& destination, const void* data, size_t length);
    // One datagram if one arrives within timeoutMs: its size, else -1
    // (timeout, or a signal arrived).
    long receive(uint8_t* buffer, size_t capacity, int timeoutMs);
    // A datagram already waiting, without blocking; -1 if none.
    long receiveWaiting(uint8_t* buffer, size_t capacity);

private:
    int fd_ = -1;
    uint16_t port_ = 0;
};

// Resolves an IPv4 address; false with a reason.
bool resolveIpv4(const std::string& host, uint16_t port, sockaddr_in& address, std::string& error);

// Resolves the server and opens the endpoint on localPort (0: any); false
// with the reason in error.
bool openSession(const std::string& host, uint16_t serverPort, uint16_t localPort, sockaddr_in& server,
                 UdpEndpoint& endpoint, std::string& error);

// The dotted local address the system would use to reach the destination,
// "127.0.0.1" if it cannot tell.
std::string localAddressToward(const sockaddr_in& destination);

}  // namespace ocre::common
