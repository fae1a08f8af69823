#include "tests/protocol/ProtocolTestSupport.h"

#include <unistd.h>

#include <algorithm>

#include <cstdio>
#include <cstring>

#include "gfx/Tile.h"

namespace ocre::test {

std::string SentDatagram::text() const {
    const auto zero = std::find(bytes.begin(), bytes.end(), 0);
    return std::string(bytes.begin(), zero);
}

FakeNetworkService::FakeNetworkService() { addHost("localhost", kLoopback); }

FakeNetworkService::~FakeNetworkService() {
    for (auto& [socket, queue] : queues_)
        for (UDPpacket* packet : queue) SDLNet_FreePacket(packet);
    for (UDPpacket* packet : handedOut_) SDLNet_FreePacket(packet);
}

void FakeNetworkService::queue(int socket, const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    queueBytes(socket, bytes);
}

void FakeNetworkService::queueBytes(int socket, const std::vector<uint8_t>& bytes) {
    UDPpacket* packet = SDLNet_AllocPacket(static_cast<int>(bytes.empty() ? 1 : bytes.size()));
    if (!bytes.empty()) std::memcpy(packet->data, bytes.data(), bytes.size());
    packet->len = static_cast<int>(bytes.size());
    queues_[socket].push_back(packet);
}

size_t FakeNetworkService::queued(int socket) const {
    const auto found = queues_.find(socket);
    return found == queues_.end() ? 0 : found->second.size();
}

int FakeNetworkService::resolve_host(IPaddress* address, const char* host, Uint16 port) {
    ++resolveCalls;
    const auto found = hosts_.find(host ? host : "");
    if (found == hosts_.end()) return -1;
    SDLNet_Write32(found->second, &address->host);
    SDLNet_Write16(port, &address->port);
    return 0;
}

int FakeNetworkService::send_udp(IPaddress* address, const void* data, int length) {
    SentDatagram datagram;
    datagram.host = SDLNet_Read32(&address->host);
    datagram.port = SDLNet_Read16(&address->port);
    const auto* bytes = static_cast<const uint8_t*>(data);
    datagram.bytes.assign(bytes, bytes + length);
    sent.push_back(std::move(datagram));
    return 0;
}

UDPpacket* FakeNetworkService::read_udp(int socket) {
    ++readCalls;
    auto found = queues_.find(socket);
    if (found == queues_.end() || found->second.empty()) return nullptr;
    UDPpacket* packet = found->second.front();
    found->second.pop_front();
    handedOut_.insert(packet);
    return packet;
}

void FakeNetworkService::free_packet(UDPpacket* packet) {
    // Giving back a datagram twice, or one never handed out, is a fault of
    // the code under test: leave it to the outstanding count to show.
    if (handedOut_.erase(packet) == 1) SDLNet_FreePacket(packet);
}

std::string captureStdout(const std::function<void()>& body) {
    std::fflush(stdout);
    std::FILE* sink = std::tmpfile();
    const int saved = dup(STDOUT_FILENO);
    dup2(fileno(sink), STDOUT_FILENO);
    body();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::string out;
    std::rewind(sink);
    char chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, sink)) > 0) out.append(chunk, got);
    std::fclose(sink);
    return out;
}

std::unique_ptr<Map> makeMap(uint32_t cols, uint32_t rows, uint32_t tileSize) {
    std::vector<std::unique_ptr<Tile>> tiles;
    auto tile = std::make_unique<Tile>();
    tile->width = static_cast<int32_t>(tileSize);
    tile->height = static_cast<int32_t>(tileSize);
    tile->walkable = 1;
    tiles.push_back(std::move(tile));
    auto map = std::make_unique<Map>(std::move(tiles));
    map->setGrid(cols, rows, tileSize, tileSize, std::vector<uint16_t>(size_t{cols} * rows, 0));
    return map;
}

DatStructure makeFrames(uint32_t count) {
    DatStructure frames;
    frames.count = static_cast<int32_t>(count);
    frames.records.resize(count);
    return frames;
}

namespace {
constexpr uint32_t kTileSize = 8;
constexpr uint32_t kAnimations = 4;
}  // namespace

SmallWorld::SmallWorld(uint32_t pixelWidth, uint32_t pixelHeight)
    : map_(makeMap(pixelWidth / kTileSize, pixelHeight / kTileSize, kTileSize)),
      frames_(makeFrames(kAnimations)),
      scene_(std::make_unique<Scene>(640, 480, map_.get(), nullptr)) {}

Actor* SmallWorld::addActor(uint32_t x, uint32_t y, uint32_t animation, int32_t depth) {
    auto actor = std::make_unique<Actor>(1, frames_, x, y, 0);
    actor->depth = depth;
    actor->setAnimation(animation);
    Actor* added = actor.get();
    scene_->addActor(std::move(actor));
    return added;
}

}  // namespace ocre::test
