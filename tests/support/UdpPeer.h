#pragma once
// A UDP socket on 127.0.0.1, for tests that talk to a program over the
// wire or stand in for one.

#include <cstdint>
#include <string>
#include <vector>

namespace ocre::test {

class UdpPeer {
public:
    // Bound to the given port, or to one the system picks (0). Throws when
    // the port cannot be had.
    explicit UdpPeer(uint16_t port = 0);
    ~UdpPeer();
    UdpPeer(const UdpPeer&) = delete;
    UdpPeer& operator=(const UdpPeer&) = delete;

    uint16_t port() const { return port_; }
    // The text and a zero byte after it, as the programs send texts.
    void sendTo(uint16_t port, const std::string& text);
    void sendBytesTo(uint16_t port, const std::vector<uint8_t>& payload);
    // Next datagram within timeoutMs (0: only one already waiting), and the
    // port it came from; false if none.
    bool receive(std::vector<uint8_t>& datagram, int timeoutMs, uint16_t* fromPort = nullptr);

private:
    int fd_ = -1;
    uint16_t port_ = 0;
};

// The text of a datagram, up to its first zero byte.
std::string datagramText(const std::vector<uint8_t>& datagram);

}  // namespace ocre::test
