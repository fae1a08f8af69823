#include "tools/common/UdpEndpoint.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ocre::common {

namespace {
constexpr const char* kLoopbackText = "127.0.0.1";
}

UdpEndpoint::~UdpEndpoint() {
    if (fd_ >= 0) close(fd_);
}

bool UdpEndpoint::open(uint16_t port, std::string& error) {
    fd_ = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd_ < 0) {
        error = std::string("cannot create a UDP socket: ") + std::strerror(errno);
        return false;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(port);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        error = "cannot bind UDP port " + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    socklen_t length = sizeof local;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &length);
    port_ = ntohs(local.sin_port);
    return true;
}

bool UdpEndpoint::sendTo(const sockaddr_in& destination, const void* data, size_t length) {
    return sendto(fd_, data, length, 0, reinterpret_cast<const sockaddr*>(&destination), sizeof destination) ==
           static_cast<ssize_t>(length);
}

long UdpEndpoint::receive(uint8_t* buffer, size_t capacity, int timeoutMs) {
    pollfd waiting{fd_, POLLIN, 0};
    if (poll(&waiting, 1, timeoutMs) <= 0) return -1;
    return receiveWaiting(buffer, capacity);
}

long UdpEndpoint::receiveWaiting(uint8_t* buffer, size_t capacity) {
    const ssize_t got = recv(fd_, buffer, capacity, MSG_DONTWAIT);
    return got < 0 ? -1 : static_cast<long>(got);
}

bool resolveIpv4(const std::string& host, uint16_t port, sockaddr_in& address, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    const int status = getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (status != 0 || !found) {
        error = "cannot resolve host '" + host + "': " + gai_strerror(status);
        return false;
    }
    address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    address.sin_port = htons(port);
    freeaddrinfo(found);
    return true;
}

std::string localAddressToward(const sockaddr_in& destination) {
    // Connecting a scratch socket picks the route without sending anything;
    // the bot's own socket stays unconnected, since the server answers from
    // another port than the one it listens on.
    const int probe = socket(AF_INET, SOCK_DGRAM, 0);
    if (probe < 0) return kLoopbackText;
    std::string result = kLoopbackText;
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (connect(probe, reinterpret_cast<const sockaddr*>(&destination), sizeof destination) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&local), &length) == 0) {
        char text[INET_ADDRSTRLEN] = {};
        if (inet_ntop(AF_INET, &local.sin_addr, text, sizeof text)) result = text;
    }
    close(probe);
    return result;
}

bool openSession(const std::string& host, uint16_t serverPort, uint16_t localPort, sockaddr_in& server,
                 UdpEndpoint& endpoint, std::string& error) {
    return resolveIpv4(host, serverPort, server, error) && endpoint.open(localPort, error);
}

}  // namespace ocre::common
