#pragma once
// Reading the texts that clients send: connection requests and commands.
// Every reader works on a copy that ends in a zero byte and scans with
// bounded field widths; a word longer than its field makes the whole text
// unreadable rather than spilling into the next field.

#include <SDL_net.h>

#include <cstdint>
#include <string>

#include "gfx/Input.h"

namespace ocre::protocol {

struct ConnectionRequest {
    std::string command;
    std::string login;
    std::string password;
    std::string host;
    uint32_t port = 0;
};

// The text of a received datagram: its bytes up to the first zero byte, or
// all the bytes received when it has none.
std::string datagramText(const UDPpacket& packet);

// Whether the text has the shape of a request ("from CLIENT to ...") or of
// a command ("from CLIENT <number> ..."); the two differ from their third word.
bool looksLikeRequest(const std::string& text);
bool looksLikeCommand(const std::string& text);

// All five fields found, each within its capacity. The command word is
// not checked here.
bool parseConnectionRequest(const std::string& text, ConnectionRequest& request);

// The client number and the command word found, the word within its capacity.
bool parseCommand(const std::string& text, uint32_t& clientNumber, std::string& word);

// The command that a word names exactly (case-sensitive); false for others.
bool commandForWord(const std::string& word, Command& command);

}  // namespace ocre::protocol
