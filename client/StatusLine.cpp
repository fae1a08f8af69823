#include "client/StatusLine.h"

namespace ocre::client {

namespace {
constexpr const char* kConnecting = "connecting\x85";
constexpr const char* kConnected = "connected";
constexpr const char* kReplaying = "replay";
constexpr const char* kRefused = "refused: ";
constexpr const char* kNoUpdates = "no updates";
constexpr const char* kSeparator = " | ";
}  // namespace

std::string statusText(const LinkStatus& status) {
    std::string text;
    switch (status.state) {
    case LinkState::Connecting: text = kConnecting; break;
    case LinkState::Connected: text = kConnected; break;
    case LinkState::Replaying: text = kReplaying; break;
    case LinkState::Refused: return kRefused + status.reason;
    }
    if (status.client) text += kSeparator + std::string("client ") + std::to_string(*status.client);
    if (status.state != LinkState::Connecting || status.client) {
        text += kSeparator + std::to_string(status.passesPerSecond) + " passes/s";
        text += kSeparator + std::to_string(status.missing) + " missing";
    }
    if (status.silent) text += std::string(kSeparator) + kNoUpdates;
    return text;
}

}  // namespace ocre::client
