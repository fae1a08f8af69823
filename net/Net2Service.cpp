#include "net/Net2Service.h"

#include "core/Fatal.h"
#include "net/FastEvent.h"
#include "net/Net2.h"

namespace ocre {

namespace {
constexpr const char* kSdlNetInitFailed = "erreur initialisation SDL_net\n";
constexpr const char* kFastEventInitFailed = "erreur initialisation Fast_event\n";
constexpr const char* kNet2InitFailed = "erreur initialisation Net2\n";
}  // namespace

Net2Service::Net2Service() {
    if (SDLNet_Init() == -1) fatal(kSdlNetInitFailed);
    if (fe_start() == -1) fatal(kFastEventInitFailed);
    if (net2_start() == -1) fatal(kNet2InitFailed);
}

Net2Service::~Net2Service() {
    net2_stop();
    fe_stop();
    SDLNet_Quit();
}

int Net2Service::resolve_host(IPaddress* address, const char* host, Uint16 port) {
    return net2_resolve(address, host, port);
}

int Net2Service::listen_tcp(Uint16 port) { return net2_listen_tcp(port); }

int Net2Service::listen_tcp_at(IPaddress* address) { return net2_listen_tcp_at(address); }

int Net2Service::connect_tcp(const char* host, Uint16 port) { return net2_connect_tcp(host, port); }

int Net2Service::connect_tcp_at(IPaddress* address) { return net2_connect_tcp_at(address); }

void Net2Service::close_tcp(int socket) { net2_close_tcp(socket); }

int Net2Service::send_tcp(int socket, const void* data, int length) { return net2_send_tcp(socket, data, length); }

int Net2Service::read_tcp(int socket, void* buffer, int length) { return net2_read_tcp(socket, buffer, length); }

IPaddress* Net2Service::tcp_peer_address(int socket) { return net2_tcp_peer(socket); }

int Net2Service::open_udp(Uint16 port, int packetSize) { return net2_open_udp(port, packetSize); }

void Net2Service::close_udp(int socket) { net2_close_udp(socket); }

int Net2Service::send_udp(IPaddress* address, const void* data, int length) {
    return net2_send_udp(address, data, length);
}

UDPpacket* Net2Service::read_udp(int socket) { return net2_read_udp(socket); }

void Net2Service::free_packet(UDPpacket* packet) { net2_free_packet(packet); }

const char* Net2Service::lastError() const { return net2_last_error(); }

}  // namespace ocre
