#include "tests/protocol/ProtocolTestSupport.h"

#include <gtest/gtest.h>

#include "gfx/Input.h"
#include "tests/support/MemoryMap.h"

namespace ocre::test {

constexpr uint32_t kTileSize = 8;

std::string sentTo(unsigned port, const std::string& text) {
    return "127.0.0.1:" + std::to_string(port) + " " + padded(text);
}

ProtocolServer::ProtocolServer(uint32_t mapWidth, uint32_t mapHeight)
    : map(memoryMap(mapWidth / kTileSize, mapHeight / kTileSize, kTileSize, kTileSize,
                    std::vector<uint16_t>(size_t{mapWidth / kTileSize} * (mapHeight / kTileSize), 0))),
      scene(640, 480, map.get(), nullptr) {
    frames.count = 4, frames.records.resize(4);
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
