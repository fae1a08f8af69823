#pragma once
// The relay at run time: one client slot of the server (or a feed from an
// upstream relay) in, every spectator's WebSocket out, and the steering
// of one spectator back to the server. Everything runs on one io_context:
// the HTTP listener, the WebSockets, the UDP socket and the timers.

#include <map>
#include <memory>
#include <string>

#include "relay/RelayOptions.h"
#include "relay/WebServer.h"

namespace boost::asio {
class io_context;
}

namespace ocre::relay {

class Relay {
public:
    Relay(boost::asio::io_context& io, const RelayOptions& options, std::map<std::string, StaticFile> files);
    ~Relay();
    Relay(const Relay&) = delete;
    Relay& operator=(const Relay&) = delete;

    // Listens, opens the way to the world and starts the timers; false
    // with a one-line reason.
    bool start(std::string& error);
    uint16_t httpPort() const;
    // 0 after a stop on a signal or --seconds, 1 after a refusal.
    int exitStatus() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace ocre::relay
