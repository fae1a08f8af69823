#include "tests/support/UdpPeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace ocre::test {

namespace {

sockaddr_in loopback(uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

// Passes of 40 datagrams a turn pile up while a test is busy elsewhere.
constexpr int kReceiveBuffer = 4 * 1024 * 1024;
constexpr size_t kLargestDatagram = 2048;

}  // namespace

UdpPeer::UdpPeer(uint16_t port) {
    fd_ = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = loopback(port);
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (fd_ >= 0) close(fd_);
        throw std::runtime_error("cannot bind UDP port " + std::to_string(port));
    }
    socklen_t length = sizeof address;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &kReceiveBuffer, sizeof kReceiveBuffer);
}

UdpPeer::~UdpPeer() { close(fd_); }

void UdpPeer::sendTo(uint16_t port, const std::string& text) {
    sendBytesTo(port, std::vector<uint8_t>(text.c_str(), text.c_str() + text.size() + 1));
}

void UdpPeer::sendBytesTo(uint16_t port, const std::vector<uint8_t>& payload) {
    const sockaddr_in address = loopback(port);
    sendto(fd_, payload.data(), payload.size(), 0, reinterpret_cast<const sockaddr*>(&address), sizeof address);
}

bool UdpPeer::receive(std::vector<uint8_t>& datagram, int timeoutMs, uint16_t* fromPort) {
    pollfd ready{fd_, POLLIN, 0};
    if (poll(&ready, 1, timeoutMs) <= 0) return false;
    datagram.resize(kLargestDatagram);
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t n = recvfrom(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (n < 0) return false;
    datagram.resize(static_cast<size_t>(n));
    if (fromPort != nullptr) *fromPort = ntohs(from.sin_port);
    return true;
}

std::string datagramText(const std::vector<uint8_t>& datagram) {
    std::string text(datagram.begin(), datagram.end());
    return text.substr(0, text.find('\0'));
}

}  // namespace ocre::test
