#pragma once
// The network service in memory, for the tests and fuzz targets of the code
// that reads and sends datagrams: datagrams queued here are served by
// read_udp on the listening socket, every send is recorded, and no address
// is looked up on a network, so the outcome depends on the input alone.

#include <SDL_net.h>

#include <cstddef>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "net/NetworkService.h"

namespace ocre::test {

class MemoryNetwork : public NetworkService {
public:
    static constexpr int kListeningSocket = 3;

    // Datagrams handed out and never given back are left to the leak
    // checker; those never read are freed.
    ~MemoryNetwork() override;

    // A datagram holding exactly these bytes, plus a zero byte if asked.
    void queue(const std::string& bytes, bool zeroTerminated = true);
    // The datagrams as the network thread leaves them: each cut to the
    // packet size the socket keeps, and no more waiting than its receive
    // ring holds.
    void deliver(const std::vector<std::string>& datagrams);
    size_t queued() const { return waiting_.size(); }
    // Datagrams handed out by read_udp and not yet given back.
    size_t outstanding() const { return handedOut_.size(); }

    // Every send: "a.b.c.d:port " then the bytes.
    std::vector<std::string> sent;

    // Dotted addresses and "localhost" resolve, nothing else.
    int resolve_host(IPaddress* address, const char* host, Uint16 port) override;
    int send_udp(IPaddress* address, const void* data, int length) override;
    UDPpacket* read_udp(int socket) override;
    // A datagram given back twice, or never handed out, is a fault of the
    // code under test: the process stops at once, at the fault.
    void free_packet(UDPpacket* packet) override;

    int listen_tcp(Uint16) override { return -1; }
    int listen_tcp_at(IPaddress*) override { return -1; }
    int connect_tcp(const char*, Uint16) override { return -1; }
    int connect_tcp_at(IPaddress*) override { return -1; }
    void close_tcp(int) override {}
    int send_tcp(int, const void*, int) override { return -1; }
    int read_tcp(int, void*, int) override { return -1; }
    IPaddress* tcp_peer_address(int) override { return nullptr; }
    int open_udp(Uint16, int) override { return kListeningSocket; }
    void close_udp(int) override {}
    const char* lastError() const override { return ""; }

private:
    void push(const char* bytes, size_t length, size_t packetSize);

    std::deque<UDPpacket*> waiting_;
    std::set<UDPpacket*> handedOut_;
};

}  // namespace ocre::test
