#pragma once
// What the protocol tests share: the protocol side of a server (inbox,
// client table, views) over a small world, on the in-memory network.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/DatStructure.h"
#include "data/Map.h"
#include "protocol/ClientTable.h"
#include "protocol/DatagramInbox.h"
#include "protocol/ViewFactory.h"
#include "tests/support/MemoryNetwork.h"
#include "tests/support/ProtocolLines.h"
#include "tests/support/TestFiles.h"
#include "world/Actor.h"
#include "world/Scene.h"

namespace ocre::test {

constexpr int kListeningSocket = MemoryNetwork::kListeningSocket;

// A datagram as the service records it: "127.0.0.1:port " then the 100 bytes.
std::string sentTo(unsigned port, const std::string& text);

// The greeting is "hello" and the map all walkable, of the given size in
// pixels (multiples of 8). Input is reset and the listening socket's notice given.
struct ProtocolServer {
    explicit ProtocolServer(uint32_t mapWidth = 800, uint32_t mapHeight = 600);
    ~ProtocolServer();
    // Queues the texts, runs serveRequests once and returns what it printed.
    std::string serve(const std::vector<std::string>& texts = {});
    // An actor with four animations and no frames.
    Actor* addActor(uint32_t x, uint32_t y, uint32_t animation, int32_t depth = 50);

    MemoryNetwork service;
    std::unique_ptr<Map> map;
    DatStructure frames;
    Scene scene;
    protocol::DatagramInbox inbox{service};
    protocol::ClientTable table{service, inbox, std::make_unique<protocol::ViewFactory>(scene, service), "hello"};
};

}  // namespace ocre::test
