// The server's datagrams as the relay turns them into passes: each read by
// the client's strict reader from a copy of exactly its bytes, the camera
// and actor messages gathered into passes, every pass handed out encoded as
// the spectators receive it. Whatever the datagrams, a handed-out pass must
// encode into a frame the relay's own reader takes back unchanged, with
// each actor at the place its index names.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/DatagramTurns.h"
#include "relay/LiveFrame.h"
#include "relay/PassAssembler.h"
#include "tools/common/ServerMessage.h"

using namespace ocre;

namespace {

void checkHandedOut(const std::optional<relay::LivePass>& pass) {
    if (!pass) return;
    const std::vector<uint8_t> frame = relay::encodeLiveFrame(*pass);
    std::string error;
    const auto back = relay::decodeLiveFrame(frame.data(), frame.size(), error);
    if (!back || back->actors != pass->actors || back->cameraX != pass->cameraX || back->cameraY != pass->cameraY)
        std::abort();
    for (size_t i = 0; i < back->actors.size(); ++i)
        if (back->actors[i].list != static_cast<int32_t>(i)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    relay::PassAssembler assembler;
    for (const fuzz::Turn& turn : fuzz::splitTurns(data, size)) {
        for (const std::string& datagram : turn) {
            const std::vector<uint8_t> bytes(datagram.begin(), datagram.end());
            const common::ServerMessage message = common::readServerMessage(bytes.data(), bytes.size());
            if (message.kind == common::ServerMessage::Kind::Camera)
                checkHandedOut(assembler.onCamera(message.values[0], message.values[1]));
            if (message.kind == common::ServerMessage::Kind::Actor)
                checkHandedOut(assembler.onActor(message.values[0], message.values[1], message.values[2],
                                                 message.values[3]));
        }
    }
    return 0;
}
