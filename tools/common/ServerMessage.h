#pragma once
// What the server sends a client, read back from a datagram: a reply to a
// connection request, a camera message or an actor message.

#include <cstddef>
#include <cstdint>
#include <string>

namespace ocre::common {

struct ServerMessage {
    enum class Kind { Accepted, Refused, Camera, Actor, Other };
    Kind kind = Kind::Other;
    std::string text;         // the whole text, up to its zero byte
    std::string detail;       // greeting or refusal reason
    uint32_t client = 0;      // camera and actor messages
    uint32_t values[4] = {};  // camera: x, y, 0, 0; actor: index, x, y, animation
};

// Camera and actor messages count only when written exactly as the server
// writes them (plain 32-bit decimals, nothing after the closing
// parenthesis); any datagram without a zero byte is Other.
ServerMessage readServerMessage(const uint8_t* bytes, size_t length);

// The request text a client sends, and a command text.
std::string requestText(const std::string& login, const std::string& password, const std::string& host,
                        uint16_t port);
std::string commandText(uint32_t client, const std::string& word);

}  // namespace ocre::common
