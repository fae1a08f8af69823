#pragma once
// What a browser may say to the relay over its WebSocket: plain ASCII
// words in a text message of at most kMaxBrowserMessage bytes.
//   "steer"        ask for the controls
//   "release"      give them back
//   "down WORD"    a key held
//   "up WORD"      a key let go
// WORD is one of kSteeringWords. A binary or oversized message closes the
// connection; any other text is ignored.

#include <cstddef>
#include <string>

#include "protocol/ProtocolTexts.h"

namespace ocre::relay {

constexpr size_t kMaxBrowserMessage = 64;

// The command words a browser may send: every word of the server but the
// last, "go_escape", which would stop a server that obeyed it.
constexpr int kSteeringWordCount = protocol::kCommandWordCount - 1;
inline constexpr const char* const* kSteeringWords = protocol::kCommandWords;

enum class BrowserRequest { Ignore, Close, Steer, Release, KeyDown, KeyUp };

struct BrowserMessage {
    BrowserRequest request = BrowserRequest::Ignore;
    int word = -1;  // KeyDown, KeyUp: index into kSteeringWords
};

BrowserMessage readBrowserMessage(const char* data, size_t length, bool binary);

}  // namespace ocre::relay
