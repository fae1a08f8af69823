// Connection requests: whole datagrams, as the network thread leaves them
// on the listening socket, read turn after turn by the client table's
// serveRequests as the main loop runs it (admission, refusals, replies,
// views of the admitted). Nothing here loads a file, so no fatal refusal
// can happen: any abort or sanitizer report is a fault.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz/DatagramTurns.h"
#include "fuzz/FuzzSupport.h"
#include "gfx/Input.h"
#include "protocol/ClientTable.h"
#include "protocol/DatagramInbox.h"
#include "protocol/ProtocolTexts.h"
#include "protocol/ViewFactory.h"
#include "tests/support/MemoryNetwork.h"
#include "world/Scene.h"

using namespace ocre;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetInputForTesting();
    test::MemoryNetwork feed;
    Scene scene(protocol::kClientViewWidth, protocol::kClientViewHeight, nullptr, nullptr);
    protocol::DatagramInbox inbox(feed);
    protocol::ClientTable table(feed, inbox, std::make_unique<protocol::ViewFactory>(scene, feed),
                                protocol::kGreeting);
    for (const fuzz::Turn& turn : fuzz::splitTurns(data, size)) {
        feed.deliver(turn);
        setLastUdpSocket(test::MemoryNetwork::kListeningSocket);
        table.serveRequests();
    }
    table.releaseRecords();
    return 0;
}
