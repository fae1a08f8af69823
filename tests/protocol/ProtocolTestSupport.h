#pragma once
// What the protocol tests share: a network service in memory that serves
// queued datagrams and records every send, standard output captured around
// a call, and small worlds (a map of a chosen size, actors without frames).

#include <SDL_net.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "data/DatStructure.h"
#include "data/Map.h"
#include "net/NetworkService.h"
#include "world/Actor.h"
#include "world/Scene.h"

namespace ocre::test {

struct SentDatagram {
    uint32_t host = 0;  // host order
    uint16_t port = 0;  // host order
    std::vector<uint8_t> bytes;
    // Up to the first zero byte.
    std::string text() const;
};

class FakeNetworkService : public NetworkService {
public:
    FakeNetworkService();
    ~FakeNetworkService() override;

    // Queues a datagram on a socket: the text and its zero byte, or the
    // bytes exactly as given (the packet holds nothing beyond them).
    void queue(int socket, const std::string& text);
    void queueBytes(int socket, const std::vector<uint8_t>& bytes);
    size_t queued(int socket) const;
    // Datagrams handed out by read_udp and not yet given back.
    size_t outstanding() const { return handedOut_.size(); }
    // Hosts that resolve (to the given address, host order).
    void addHost(const std::string& name, uint32_t host) { hosts_[name] = host; }

    std::vector<SentDatagram> sent;
    int resolveCalls = 0;
    int readCalls = 0;

    int resolve_host(IPaddress* address, const char* host, Uint16 port) override;
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
    int send_udp(IPaddress* address, const void* data, int length) override;
    UDPpacket* read_udp(int socket) override;
    void free_packet(UDPpacket* packet) override;
    const char* lastError() const override { return ""; }

private:
    std::map<int, std::deque<UDPpacket*>> queues_;
    std::set<UDPpacket*> handedOut_;
    std::map<std::string, uint32_t> hosts_;
};

constexpr uint32_t kLoopback = 0x7F000001;
constexpr int kListeningSocket = 3;

// Everything the body writes on standard output.
std::string captureStdout(const std::function<void()>& body);

// A map of cols x rows tiles of tileSize pixels, all walkable.
std::unique_ptr<Map> makeMap(uint32_t cols, uint32_t rows, uint32_t tileSize);
// count animations without frames.
DatStructure makeFrames(uint32_t count);

// A scene over a map of the given size in pixels (tiles of 8 pixels, so
// both sizes must be multiples of 8), holding actors built here.
class SmallWorld {
public:
    SmallWorld(uint32_t pixelWidth, uint32_t pixelHeight);
    // An actor of depth 50 with four animations, showing animation.
    Actor* addActor(uint32_t x, uint32_t y, uint32_t animation, int32_t depth = 50);

    Scene& scene() { return *scene_; }

private:
    std::unique_ptr<Map> map_;
    DatStructure frames_;
    std::unique_ptr<Scene> scene_;
};

}  // namespace ocre::test
