// What the server sends a client, read back by the two programs that read
// it: ocre-bot (readServerMessage, its passes counted as the load mode
// counts them) and the graphical client (its PassReader, which assembles
// the passes into the picture it draws, for the six actors of the server's
// world). The input is cut into datagrams as for the protocol targets; each
// is read from a copy of exactly its bytes, so a read past them is seen.
// Nothing here can be fatal: any abort or sanitizer report is a fault.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "client/ActorTable.h"
#include "client/PassReader.h"
#include "fuzz/DatagramTurns.h"
#include "tools/common/PassTracker.h"
#include "tools/common/ServerMessage.h"

using namespace ocre;

namespace {
// Each actor's animation count in the default data set: eight walking and
// standing animations for all of them.
constexpr uint32_t kAnimationsPerActor = 8;
constexpr auto kTurn = std::chrono::milliseconds(25);
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    common::PassTracker botPasses;
    client::PassReader clientReader(std::vector<uint32_t>(client::kActorCount, kAnimationsPerActor));
    auto now = client::Clock::time_point{};
    for (const fuzz::Turn& turn : fuzz::splitTurns(data, size)) {
        for (const std::string& datagram : turn) {
            const std::vector<uint8_t> bytes(datagram.begin(), datagram.end());
            const common::ServerMessage message = common::readServerMessage(bytes.data(), bytes.size());
            if (message.kind == common::ServerMessage::Kind::Camera) botPasses.onCamera(now);
            if (message.kind == common::ServerMessage::Kind::Actor) botPasses.onActor(message.values[0]);
            clientReader.receive(bytes.data(), bytes.size(), now);
            clientReader.takeNewPass();
        }
        now += kTurn;
        clientReader.passesInLastSecond(now);
    }
    botPasses.incomplete();
    botPasses.missing(now);
    botPasses.missingWithinRun();
    clientReader.missing(now);
    return 0;
}
