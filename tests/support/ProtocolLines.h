#pragma once
// The protocol's texts as the tests write them: what a client sends to be
// admitted, what the server prints on reading it, and the datagram the
// server sends a text in.

#include <string>

namespace ocre::test {

inline std::string connectionRequest(const std::string& login, const std::string& password = "ocre",
                                     unsigned port = 4000, const std::string& host = "localhost") {
    return "from CLIENT to SERVEUR connection_request " + login + " " + password + " " + host + " " +
           std::to_string(port);
}

inline std::string requestLine(const std::string& login, const std::string& password = "ocre", unsigned port = 4000,
                               const std::string& host = "localhost") {
    return "**** demande de connexion du client " + login + " " + password + " " + host + " " +
           std::to_string(port) + " ****\n";
}

// The text, zero-padded to the 100 bytes of every datagram the server sends.
inline std::string padded(const std::string& text) { return text + std::string(100 - text.size(), '\0'); }

}  // namespace ocre::test
