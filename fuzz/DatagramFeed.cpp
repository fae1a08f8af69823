#include "fuzz/DatagramFeed.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "net/Net2.h"
#include "world/NetworkController.h"

namespace ocre::fuzz {

namespace {

constexpr size_t kNextDatagramLength = sizeof kNextDatagram - 1;
constexpr size_t kNextTurnLength = sizeof kNextTurn - 1;
constexpr uint32_t kLoopback = INADDR_LOOPBACK;
constexpr char kLocalhost[] = "localhost";

bool startsWith(const uint8_t* data, size_t size, const char* text, size_t length) {
    return size >= length && std::memcmp(data, text, length) == 0;
}

}  // namespace

std::vector<Turn> splitTurns(const uint8_t* data, size_t size) {
    std::vector<Turn> turns(1);
    std::string datagram;
    size_t at = 0;
    while (at < size) {
        if (startsWith(data + at, size - at, kNextTurn, kNextTurnLength)) {
            turns.back().push_back(std::move(datagram));
            turns.emplace_back();
            datagram.clear();
            at += kNextTurnLength;
        } else if (startsWith(data + at, size - at, kNextDatagram, kNextDatagramLength)) {
            turns.back().push_back(std::move(datagram));
            datagram.clear();
            at += kNextDatagramLength;
        } else {
            datagram.push_back(static_cast<char>(data[at++]));
        }
    }
    turns.back().push_back(std::move(datagram));
    return turns;
}

DatagramFeed::~DatagramFeed() {
    for (UDPpacket* packet : waiting_) SDLNet_FreePacket(packet);
}

void DatagramFeed::deliver(const Turn& turn) {
    for (const std::string& datagram : turn) {
        if (waiting_.size() >= static_cast<size_t>(kNet2UdpRingSize)) break;
        UDPpacket* packet = SDLNet_AllocPacket(kCommandPacketSize);
        if (packet == nullptr) std::abort();
        const size_t kept = std::min(datagram.size(), static_cast<size_t>(packet->maxlen));
        std::memcpy(packet->data, datagram.data(), kept);
        packet->len = static_cast<int>(kept);
        waiting_.push_back(packet);
    }
}

int DatagramFeed::resolve_host(IPaddress* address, const char* host, Uint16 port) {
    in_addr parsed{};
    if (host == nullptr) return -1;
    if (std::strcmp(host, kLocalhost) == 0)
        parsed.s_addr = htonl(kLoopback);
    else if (inet_pton(AF_INET, host, &parsed) != 1)
        return -1;
    address->host = parsed.s_addr;
    SDLNet_Write16(port, &address->port);
    return 0;
}

int DatagramFeed::send_udp(IPaddress*, const void* data, int length) {
    // Reading every byte lets the address checker see a reply that is
    // shorter than it claims.
    const auto* bytes = static_cast<const uint8_t*>(data);
    volatile uint8_t sum = 0;
    for (int i = 0; i < length; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    return 0;
}

UDPpacket* DatagramFeed::read_udp(int socket) {
    if (socket != kListeningSocket || waiting_.empty()) return nullptr;
    UDPpacket* packet = waiting_.front();
    waiting_.pop_front();
    handedOut_.insert(packet);
    return packet;
}

void DatagramFeed::free_packet(UDPpacket* packet) {
    // A datagram given back twice, or never handed out, is a fault of the
    // reader: stop at once so the input is kept.
    if (handedOut_.erase(packet) != 1) std::abort();
    SDLNet_FreePacket(packet);
}

}  // namespace ocre::fuzz
