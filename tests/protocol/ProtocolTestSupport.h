#pragma once
// What the protocol tests share: a network service in memory that serves
// datagrams queued on the listening socket and records every send, and the
// protocol side of a server (inbox, client table, views) over a small world.

#include <SDL_net.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "data/DatStructure.h"
#include "data/Map.h"
#include "net/NetworkService.h"
#include "protocol/ClientTable.h"
#include "protocol/DatagramInbox.h"
#include "protocol/ViewFactory.h"
#include "world/Actor.h"
#include "world/Scene.h"

namespace ocre::test {

constexpr int kListeningSocket = 3;

// The text, zero-padded to the 100 bytes of every datagram the server sends.
std::string padded(const std::string& text);
// A datagram as the service records it: "127.0.0.1:port " then the 100 bytes.
std::string sentTo(unsigned port, const std::string& text);
std::string connectionRequest(const std::string& login, const std::string& password = "ocre", unsigned port = 4000,
                              const std::string& host = "localhost");
std::string captureStdout(const std::function<void()>& body);

// Only "localhost" resolves, to the loopback address.
class FakeNetworkService : public NetworkService {
public:
    ~FakeNetworkService() override;
    // A datagram holding exactly these bytes, plus a zero byte if asked.
    void queue(const std::string& bytes, bool zeroTerminated = true);
    size_t queued() const { return queue_.size(); }
    // Datagrams handed out by read_udp and not yet given back.
    size_t outstanding() const { return handedOut_.size(); }
    std::vector<std::string> sent;  // destination and bytes, as sentTo writes them

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
    int read_tcp(int, void*, int) override { return 0; }
    IPaddress* tcp_peer_address(int) override { return nullptr; }
    int open_udp(Uint16, int) override { return 0; }
    void close_udp(int) override {}
    const char* lastError() const override { return ""; }

private:
    std::deque<UDPpacket*> queue_;
    std::set<UDPpacket*> handedOut_;
};

// The greeting is "hello" and the map all walkable, of the given size in
// pixels (multiples of 8). Input is reset and the listening socket's notice given.
struct ProtocolServer {
    explicit ProtocolServer(uint32_t mapWidth = 800, uint32_t mapHeight = 600);
    ~ProtocolServer();
    // Queues the texts, runs serveRequests once and returns what it printed.
    std::string serve(const std::vector<std::string>& texts = {});
    // An actor with four animations and no frames.
    Actor* addActor(uint32_t x, uint32_t y, uint32_t animation, int32_t depth = 50);

    FakeNetworkService service;
    std::unique_ptr<Map> map;
    DatStructure frames;
    Scene scene;
    protocol::DatagramInbox inbox{service};
    protocol::ClientTable table{service, inbox, std::make_unique<protocol::ViewFactory>(scene, service), "hello"};
};

}  // namespace ocre::test
