#pragma once
// A relay fed by another relay: the WebSocket of ws://HOST:PORT/PATH read
// as a spectator would, each binary frame decoded strictly. The link tries
// again after a loss, waiting longer each time up to kUpstreamRetryLongest.
// Runs on the caller's io_context; Beast stays inside the source file.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "relay/LiveFrame.h"
#include "relay/RelayOptions.h"

namespace boost::asio {
class io_context;
}

namespace ocre::relay {

constexpr std::chrono::seconds kUpstreamRetryLongest{5};

class UpstreamLink {
public:
    using PassSink = std::function<void(const LivePass&)>;
    // connected(true) once the WebSocket is open, connected(false) when lost.
    using StateSink = std::function<void(bool connected, const std::string& reason)>;

    UpstreamLink(boost::asio::io_context& io, UpstreamUrl url, PassSink passes, StateSink state);
    ~UpstreamLink();
    void start();
    void stop();

    struct Impl;

private:
    std::shared_ptr<Impl> impl_;
};

}  // namespace ocre::relay
