#include "tests/support/MemoryNetwork.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "net/Net2.h"
#include "world/NetworkController.h"

namespace ocre::test {

namespace {
constexpr char kLocalhost[] = "localhost";
}  // namespace

MemoryNetwork::~MemoryNetwork() {
    for (UDPpacket* packet : waiting_) SDLNet_FreePacket(packet);
}

void MemoryNetwork::push(const char* bytes, size_t length, size_t packetSize) {
    UDPpacket* packet = SDLNet_AllocPacket(static_cast<int>(std::max<size_t>(packetSize, 1)));
    if (packet == nullptr) std::abort();
    std::memcpy(packet->data, bytes, length);
    packet->len = static_cast<int>(length);
    waiting_.push_back(packet);
}

void MemoryNetwork::queue(const std::string& bytes, bool zeroTerminated) {
    const size_t length = bytes.size() + (zeroTerminated ? 1 : 0);
    push(bytes.c_str(), length, length);
}

void MemoryNetwork::deliver(const std::vector<std::string>& datagrams) {
    for (const std::string& datagram : datagrams) {
        if (waiting_.size() >= static_cast<size_t>(kNet2UdpRingSize)) break;
        const size_t kept = std::min(datagram.size(), static_cast<size_t>(kCommandPacketSize));
        push(datagram.data(), kept, kCommandPacketSize);
    }
}

int MemoryNetwork::resolve_host(IPaddress* address, const char* host, Uint16 port) {
    in_addr parsed{};
    if (host == nullptr) return -1;
    if (std::strcmp(host, kLocalhost) == 0)
        parsed.s_addr = htonl(INADDR_LOOPBACK);
    else if (inet_pton(AF_INET, host, &parsed) != 1)
        return -1;
    address->host = parsed.s_addr;
    SDLNet_Write16(port, &address->port);
    return 0;
}

int MemoryNetwork::send_udp(IPaddress* address, const void* data, int length) {
    const uint32_t host = SDLNet_Read32(&address->host);
    char destination[32];
    std::snprintf(destination, sizeof destination, "%u.%u.%u.%u:%u ", host >> 24, (host >> 16) & 255,
                  (host >> 8) & 255, host & 255, static_cast<unsigned>(SDLNet_Read16(&address->port)));
    // Copying every byte lets the address checker see a reply that is
    // shorter than it claims.
    sent.push_back(destination + std::string(static_cast<const char*>(data), static_cast<size_t>(length)));
    return 0;
}

UDPpacket* MemoryNetwork::read_udp(int socket) {
    if (socket != kListeningSocket || waiting_.empty()) return nullptr;
    UDPpacket* packet = waiting_.front();
    waiting_.pop_front();
    handedOut_.insert(packet);
    return packet;
}

void MemoryNetwork::free_packet(UDPpacket* packet) {
    if (handedOut_.erase(packet) != 1) std::abort();
    SDLNet_FreePacket(packet);
}

}  // namespace ocre::test
