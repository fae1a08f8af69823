#include "tests/protocol/ProtocolTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "gfx/Input.h"
#include "gfx/Tile.h"

namespace ocre::test {

namespace {
constexpr uint32_t kLoopback = 0x7F000001;
constexpr uint32_t kTileSize = 8;
}  // namespace

std::string padded(const std::string& text) { return text + std::string(100 - text.size(), '\0'); }

std::string sentTo(unsigned port, const std::string& text) {
    return "127.0.0.1:" + std::to_string(port) + " " + padded(text);
}

std::string connectionRequest(const std::string& login, const std::string& password, unsigned port,
                              const std::string& host) {
    return "from CLIENT to SERVEUR connection_request " + login + " " + password + " " + host + " " +
           std::to_string(port);
}

std::string captureStdout(const std::function<void()>& body) {
    testing::internal::CaptureStdout();
    body();
    return testing::internal::GetCapturedStdout();
}

FakeNetworkService::~FakeNetworkService() {
    for (UDPpacket* packet : queue_) SDLNet_FreePacket(packet);
    for (UDPpacket* packet : handedOut_) SDLNet_FreePacket(packet);
}

void FakeNetworkService::queue(const std::string& bytes, bool zeroTerminated) {
    const size_t length = bytes.size() + (zeroTerminated ? 1 : 0);
    UDPpacket* packet = SDLNet_AllocPacket(static_cast<int>(length ? length : 1));
    std::memcpy(packet->data, bytes.c_str(), length);
    packet->len = static_cast<int>(length);
    queue_.push_back(packet);
}

int FakeNetworkService::resolve_host(IPaddress* address, const char* host, Uint16 port) {
    if (host == nullptr || std::strcmp(host, "localhost") != 0) return -1;
    SDLNet_Write32(kLoopback, &address->host);
    SDLNet_Write16(port, &address->port);
    return 0;
}

int FakeNetworkService::send_udp(IPaddress* address, const void* data, int length) {
    const uint32_t host = SDLNet_Read32(&address->host);
    char destination[32];
    std::snprintf(destination, sizeof destination, "%u.%u.%u.%u:%u ", host >> 24, (host >> 16) & 255,
                  (host >> 8) & 255, host & 255, static_cast<unsigned>(SDLNet_Read16(&address->port)));
    sent.push_back(destination + std::string(static_cast<const char*>(data), static_cast<size_t>(length)));
    return 0;
}

UDPpacket* FakeNetworkService::read_udp(int socket) {
    if (socket != kListeningSocket || queue_.empty()) return nullptr;
    UDPpacket* packet = queue_.front();
    queue_.pop_front();
    handedOut_.insert(packet);
    return packet;
}

void FakeNetworkService::free_packet(UDPpacket* packet) {
    // Giving back a datagram twice, or one never handed out, is a fault of
    // the code under test: leave it to the outstanding count to show.
    if (handedOut_.erase(packet) == 1) SDLNet_FreePacket(packet);
}

namespace {

std::unique_ptr<Map> allWalkable(uint32_t cols, uint32_t rows) {
    auto tile = std::make_unique<Tile>();
    tile->width = tile->height = kTileSize;
    tile->walkable = 1;
    std::vector<std::unique_ptr<Tile>> tiles;
    tiles.push_back(std::move(tile));
    auto map = std::make_unique<Map>(std::move(tiles));
    map->setGrid(cols, rows, kTileSize, kTileSize, std::vector<uint16_t>(size_t{cols} * rows, 0));
    return map;
}

}  // namespace

ProtocolServer::ProtocolServer(uint32_t mapWidth, uint32_t mapHeight)
    : map(allWalkable(mapWidth / kTileSize, mapHeight / kTileSize)), scene(640, 480, map.get(), nullptr) {
    frames.count = 4;
    frames.records.resize(4);
    resetInputForTesting();
    setLastUdpSocket(kListeningSocket);
}

ProtocolServer::~ProtocolServer() { resetInputForTesting(); }

std::string ProtocolServer::serve(const std::vector<std::string>& texts) {
    for (const auto& text : texts) service.queue(text);
    return captureStdout([this] { table.serveRequests(); });
}

Actor* ProtocolServer::addActor(uint32_t x, uint32_t y, uint32_t animation, int32_t depth) {
    auto actor = std::make_unique<Actor>(1, frames, x, y, 0);
    actor->depth = depth;
    actor->setAnimation(animation);
    Actor* added = actor.get();
    scene.addActor(std::move(actor));
    return added;
}

}  // namespace ocre::test
