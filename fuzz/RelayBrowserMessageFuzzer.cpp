// What a browser sends the relay over its WebSocket, read as the relay reads
// it. The first byte is the message's opcode as the WebSocket gave it (2:
// binary, anything else: text); the rest is the message, read from a copy of
// exactly its bytes so that a read past them is seen. Whatever arrives, the
// answer must keep the relay's promises: only a binary or oversized message
// closes the connection, and a key names one of the words a browser may send.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "relay/SteeringMessage.h"

using namespace ocre::relay;

namespace {
constexpr uint8_t kBinaryOpcode = 2;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool binary = data[0] == kBinaryOpcode;
    const std::vector<char> message(data + 1, data + size);
    const BrowserMessage read = readBrowserMessage(message.data(), message.size(), binary);
    const bool mustClose = binary || message.size() > kMaxBrowserMessage;
    if ((read.request == BrowserRequest::Close) != mustClose) std::abort();
    const bool isKey = read.request == BrowserRequest::KeyDown || read.request == BrowserRequest::KeyUp;
    if (isKey != (read.word >= 0) || read.word >= kSteeringWordCount) std::abort();
    return 0;
}
