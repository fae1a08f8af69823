#pragma once
// One connection request, kept while it waits for its answer and, once
// admitted, for as long as the server runs.

#include <SDL_net.h>

#include <cstdint>
#include <string>

#include "protocol/ProtocolTexts.h"

namespace ocre::protocol {

struct ClientRecord {
    uint32_t clientNumber = kUnassignedClientNumber;
    // Resolved from host and port; replies and display updates go there.
    IPaddress address{};
    std::string host;
    uint32_t port = 0;
    // Identifies the client when it asks again.
    std::string login;
    std::string password;
};

}  // namespace ocre::protocol
