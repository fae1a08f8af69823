// Client commands: whole datagrams, as the network thread leaves them on
// the listening socket, read by the command reader each time the
// network-steered actor asks for input (twice a turn here: the second query
// of a turn finds the socket drained), then the turn's flags fall back.
// Nothing here loads a file, so no fatal refusal can happen: any abort or
// sanitizer report is a fault.

#include <cstddef>
#include <cstdint>

#include "fuzz/DatagramTurns.h"
#include "fuzz/FuzzSupport.h"
#include "gfx/Input.h"
#include "protocol/CommandReader.h"
#include "protocol/DatagramInbox.h"
#include "protocol/ProtocolTexts.h"
#include "tests/support/MemoryNetwork.h"

using namespace ocre;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetInputForTesting();
    test::MemoryNetwork feed;
    protocol::DatagramInbox inbox(feed);
    protocol::CommandReader reader(inbox);
    for (const fuzz::Turn& turn : fuzz::splitTurns(data, size)) {
        feed.deliver(turn);
        setLastUdpSocket(test::MemoryNetwork::kListeningSocket);
        reader.readCommands(protocol::kSteeringClientNumber);
        reader.readCommands(protocol::kSteeringClientNumber);
        endFrameInput();
    }
    return 0;
}
