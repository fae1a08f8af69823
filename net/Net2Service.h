#pragma once
// The network service over the socket manager. Constructing it brings up
// SDL_net, the fast event queue and the socket manager, in that order, and
// ends the process with a message if any of them fails; destroying it takes
// them down in reverse. One per process, after SDL itself is initialised.

#include "net/NetworkService.h"

namespace ocre {

class Net2Service : public NetworkService {
public:
    Net2Service();
    ~Net2Service() override;
    Net2Service(const Net2Service&) = delete;
    Net2Service& operator=(const Net2Service&) = delete;

    int resolve_host(IPaddress* address, const char* host, Uint16 port) override;
    int listen_tcp(Uint16 port) override;
    int listen_tcp_at(IPaddress* address) override;
    int connect_tcp(const char* host, Uint16 port) override;
    int connect_tcp_at(IPaddress* address) override;
    void close_tcp(int socket) override;
    int send_tcp(int socket, const void* data, int length) override;
    int read_tcp(int socket, void* buffer, int length) override;
    IPaddress* tcp_peer_address(int socket) override;
    int open_udp(Uint16 port, int packetSize) override;
    void close_udp(int socket) override;
    int send_udp(IPaddress* address, const void* data, int length) override;
    UDPpacket* read_udp(int socket) override;
    void free_packet(UDPpacket* packet) override;
    const char* lastError() const override;
};

}  // namespace ocre
