// What the server sends a client, read back by readServerMessage, the
// reader ocre-bot and the graphical client share: the input is cut into
// datagrams (as for the protocol targets), each read with its own length
// exactly as received, and the passes they make counted as the bot's load
// mode counts them. Nothing here can be fatal: any abort or sanitizer
// report is a fault.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/DatagramFeed.h"
#include "tools/common/PassTracker.h"
#include "tools/common/ServerMessage.h"

using namespace ocre;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    common::PassTracker passes;
    const auto start = common::PassTracker::Clock::time_point{};
    for (const fuzz::Turn& turn : fuzz::splitTurns(data, size)) {
        for (const std::string& datagram : turn) {
            // A copy of exactly the bytes received, so a read past them is seen.
            const std::vector<uint8_t> bytes(datagram.begin(), datagram.end());
            const common::ServerMessage message = common::readServerMessage(bytes.data(), bytes.size());
            if (message.kind == common::ServerMessage::Kind::Camera) passes.onCamera(start);
            if (message.kind == common::ServerMessage::Kind::Actor) passes.onActor(message.values[0]);
        }
    }
    passes.incomplete();
    passes.missing();
    return 0;
}
