#pragma once
// The relay's HTTP side: fixed files by path (with ETag and 304), and the
// /live WebSocket of every spectator. Each spectator has one outbox: at
// most one frame waits and a newer replaces it; a spectator whose write
// does not finish for kStallLimit, or that answers nothing (not even the
// keep-alive pings) for kStallLimit, is dropped. Browser messages are read
// with readBrowserMessage; oversized or binary ones close that connection.
// Runs on the caller's io_context; Beast stays inside the source file.

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "relay/DelayLine.h"
#include "relay/SteeringMessage.h"
#include "relay/SteeringRules.h"

namespace boost::asio {
class io_context;
}

namespace ocre::relay {

struct StaticFile {
    std::string contentType;
    std::string cacheControl;
    std::string body;
    std::string etag;  // quoted, as sent
};

// Quoted strong entity tag of a body.
std::string entityTag(const std::string& body);

class SpectatorHandler {
public:
    virtual ~SpectatorHandler() = default;
    virtual void spectatorJoined(SpectatorId spectator) = 0;
    virtual void spectatorLeft(SpectatorId spectator) = 0;
    // Steer, Release, KeyDown or KeyUp, or Ignore (still activity).
    virtual void spectatorSaid(SpectatorId spectator, const BrowserMessage& message) = 0;
};

class WebServer {
public:
    WebServer(boost::asio::io_context& io, SpectatorHandler& handler, std::map<std::string, StaticFile> files,
              size_t maxSpectators);
    ~WebServer();
    WebServer(const WebServer&) = delete;
    WebServer& operator=(const WebServer&) = delete;

    // False with a one-line reason.
    bool listen(const std::string& address, uint16_t port, std::string& error);
    uint16_t port() const;
    void stop();

    size_t spectators() const;
    void sendFrame(SpectatorId spectator, const SharedFrame& frame);
    void sendText(SpectatorId spectator, const std::string& text);
    // To every spectator but the one excepted.
    void sendFrameToAll(const SharedFrame& frame, std::optional<SpectatorId> except);
    void sendTextToAll(const std::string& text, std::optional<SpectatorId> except);
    // Drops the spectators whose writes have stalled; how many.
    size_t dropStalled(std::chrono::steady_clock::time_point now);
    // Bytes written to spectators since the start.
    uint64_t bytesSent() const;

    struct Impl;

private:
    std::shared_ptr<Impl> impl_;
};

}  // namespace ocre::relay
