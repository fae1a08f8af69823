#pragma once
// The server's listening socket as the protocol targets see it: the input
// is cut into turns and datagrams, and each turn's datagrams are served by
// read_udp as the network thread leaves them, each in a packet of the size
// the socket keeps (longer datagrams are cut there, as the socket cuts
// them) and at most as many as its receive ring holds.
//
// Input layout: datagrams separated by kNextDatagram; kNextTurn also ends
// the turn. Everything else is datagram bytes, zero bytes included.

#include <SDL_net.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "net/NetworkService.h"

namespace ocre::fuzz {

inline constexpr char kNextDatagram[] = "\n~~\n";
inline constexpr char kNextTurn[] = "\n~~~\n";

using Turn = std::vector<std::string>;
std::vector<Turn> splitTurns(const uint8_t* data, size_t size);

class DatagramFeed : public NetworkService {
public:
    static constexpr int kListeningSocket = 0;

    // Datagrams handed out and never given back are left to the leak
    // checker; those never read are freed.
    ~DatagramFeed() override;

    // Queues the turn's datagrams on the listening socket.
    void deliver(const Turn& turn);

    // Dotted addresses and "localhost" resolve; nothing is looked up on a
    // network, so the outcome depends on the input alone.
    int resolve_host(IPaddress* address, const char* host, Uint16 port) override;
    int send_udp(IPaddress* address, const void* data, int length) override;
    UDPpacket* read_udp(int socket) override;
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
    std::deque<UDPpacket*> waiting_;
    std::set<UDPpacket*> handedOut_;
};

}  // namespace ocre::fuzz
