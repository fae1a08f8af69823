#pragma once
// The text of the status line: connection state, client number, passes
// per second received, passes missing, and "no updates" once the server
// has been silent for a second. Code page 1252, as the font is.

#include <cstdint>
#include <optional>
#include <string>

namespace ocre::client {

enum class LinkState { Connecting, Connected, Refused, Replaying };

struct LinkStatus {
    LinkState state = LinkState::Connecting;
    std::string reason;              // a refusal's reason
    std::optional<uint32_t> client;  // as the camera messages say
    size_t passesPerSecond = 0;
    uint64_t missing = 0;
    bool silent = false;             // nothing for a second
};

std::string statusText(const LinkStatus& status);

}  // namespace ocre::client
