#pragma once
// The one door through which the game reaches the sockets. Sockets are
// named by small non-negative numbers; -1 (or null) means failure, and
// lastError() then says why.

#include <SDL_net.h>

namespace ocre {

class NetworkService {
public:
    virtual ~NetworkService() = default;

    virtual int resolve_host(IPaddress* address, const char* host, Uint16 port) = 0;
    // TCP: the game speaks UDP only; these are for services that need a
    // stream, and a fake service may leave them failing.
    virtual int listen_tcp(Uint16 port) = 0;
    virtual int listen_tcp_at(IPaddress* address) = 0;
    virtual int connect_tcp(const char* host, Uint16 port) = 0;
    virtual int connect_tcp_at(IPaddress* address) = 0;
    virtual void close_tcp(int socket) = 0;
    virtual int send_tcp(int socket, const void* data, int length) = 0;
    virtual int read_tcp(int socket, void* buffer, int length) = 0;
    virtual IPaddress* tcp_peer_address(int socket) = 0;
    virtual int open_udp(Uint16 port, int packetSize) = 0;
    virtual void close_udp(int socket) = 0;
    virtual int send_udp(IPaddress* address, const void* data, int length) = 0;
    // The caller owns the datagram and gives it back through free_packet.
    virtual UDPpacket* read_udp(int socket) = 0;
    virtual void free_packet(UDPpacket* packet) = 0;
    // Why the last failed operation failed; "" if none has.
    virtual const char* lastError() const = 0;
};

}  // namespace ocre
