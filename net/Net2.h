#pragma once
// The socket manager: every TCP and UDP socket of the process, named by its
// slot in a table of 1024, serviced by one network thread that reports
// arrivals as SDL user events through the fast event queue. Callers react to
// the events and take the data out with the read operations.
// Failures return -1 (or null) and leave a last error (net/Net2Texts.h).

#include <SDL.h>
#include <SDL_net.h>

#include <cstdint>

namespace ocre {

constexpr int kNet2MaxSockets = 1024;
constexpr int kNet2TcpBufferSize = 1024;
constexpr int kNet2UdpRingSize = 256;

// The user event codes the network thread posts (event type SDL_USEREVENT).
constexpr int kNet2ErrorEvent = 0;     // socket, error text
constexpr int kNet2AcceptedEvent = 1;  // new connection, listener's port
constexpr int kNet2TcpDataEvent = 2;   // socket; posted when its buffer stops being empty
constexpr int kNet2ClosedEvent = 3;    // socket whose peer closed or failed
constexpr int kNet2UdpDataEvent = 4;   // socket; posted when its ring stops being empty

// After fe_start. A second call while running does nothing and returns 0.
int net2_start();
// Discards every queued event, ends the thread, closes every socket.
void net2_stop();

// Ports are in host order; the IPaddress is SDL_net's (network order inside).
int net2_resolve(IPaddress* address, const char* host, Uint16 port);
// The TCP half: no program here opens a TCP socket yet; it stays for
// services built on the socket manager (and is tested as they would use it).
int net2_listen_tcp(Uint16 port);
int net2_listen_tcp_at(IPaddress* address);
int net2_connect_tcp(const char* host, Uint16 port);
int net2_connect_tcp_at(IPaddress* address);
void net2_close_tcp(int socket);
int net2_send_tcp(int socket, const void* data, int length);
// Bytes copied into buffer, 0 if none; a connection whose peer closed still
// yields what it received.
int net2_read_tcp(int socket, void* buffer, int length);
IPaddress* net2_tcp_peer(int socket);
// Datagrams received on the socket keep at most packetSize bytes.
int net2_open_udp(Uint16 port, int packetSize);
void net2_close_udp(int socket);
// Sent from the manager's own send socket, not from any receiving socket.
int net2_send_udp(IPaddress* address, const void* data, int length);
// The oldest queued datagram, or null; give it back with net2_free_packet.
UDPpacket* net2_read_udp(int socket);
void net2_free_packet(UDPpacket* packet);

int net2_event_kind(const SDL_Event* event);
int net2_event_socket(const SDL_Event* event);
// The listener's port of an accepted event; -1 for the other events.
int net2_event_detail(const SDL_Event* event);
// The text of an error event the manager posted; null for anything else.
const char* net2_event_error(const SDL_Event* event);

// The last failure: its text ("" for none) and its number (-1 for none).
const char* net2_last_error();
int net2_last_error_number();

}  // namespace ocre
