#include "tools/spectators/SpectatorCrowd.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include "relay/LiveFrame.h"

namespace ocre::spectators {

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;
using beast::error_code;

// Nothing the relay sends is near this; a larger message is a fault.
constexpr size_t kLargestMessage = 64 * 1024;
// The smallest receive buffer the system allows: the relay's writes to a
// stalled spectator stop after a few frames instead of after megabytes.
constexpr int kStalledReceiveBuffer = 1;
constexpr auto kSlice = std::chrono::milliseconds(20);
constexpr char kSpectatorsField[] = "\"spectators\":";

// The bytes a message of this payload takes on the wire, server to client
// (unmasked): the payload and the frame header.
uint64_t wireBytes(size_t payload) {
    const size_t header = payload < 126 ? 2 : payload <= 0xFFFF ? 4 : 10;
    return payload + header;
}

// The spectator count of a status message, or -1.
int64_t spectatorsIn(const std::string& text) {
    const size_t at = text.find(kSpectatorsField);
    if (at == std::string::npos) return -1;
    return std::strtoll(text.c_str() + at + std::strlen(kSpectatorsField), nullptr, 10);
}

struct Crowd;

struct Reader {
    Reader(asio::io_context& io, Crowd& crowd, bool watchesStatus)
        : ws(io), crowd(crowd), watchesStatus(watchesStatus) {}
    void start(const tcp::resolver::results_type& endpoints, const CrowdOptions& options);
    void readNext();
    void onMessage(size_t length);

    websocket::stream<tcp::socket> ws;
    Crowd& crowd;
    bool watchesStatus;
    beast::flat_buffer buffer;
    SpectatorCount count;
    bool haveSequence = false;
    uint32_t lastSequence = 0;
    bool haveFirstMeasured = false;
    uint32_t firstMeasured = 0;
};

struct Crowd {
    bool measuring = false;
    bool ending = false;
    CrowdResult& result;
    explicit Crowd(CrowdResult& result) : result(result) {}
};

void Reader::start(const tcp::resolver::results_type& endpoints, const CrowdOptions& options) {
    asio::async_connect(ws.next_layer(), endpoints, [this, options](error_code ec, const tcp::endpoint&) {
        if (ec) {
            count.failed = true;
            count.failure = "cannot connect: " + ec.message();
            return;
        }
        ws.read_message_max(kLargestMessage);
        ws.async_handshake(options.host + ":" + options.port, options.path, [this](error_code ec) {
            if (ec) {
                count.failed = true;
                count.failure = "refused: " + ec.message();
                return;
            }
            count.connected = true;
            readNext();
        });
    });
}

void Reader::readNext() {
    ws.async_read(buffer, [this](error_code ec, size_t length) {
        if (ec) {
            if (!crowd.ending) {
                count.failed = true;
                count.failure = "connection ended: " + ec.message();
            }
            return;
        }
        onMessage(length);
        buffer.consume(buffer.size());
        readNext();
    });
}

void Reader::onMessage(size_t length) {
    const auto* bytes = static_cast<const uint8_t*>(buffer.data().data());
    if (ws.got_text()) {
        if (crowd.measuring) count.bytes += wireBytes(length);
        if (!watchesStatus) return;
        const int64_t spectators = spectatorsIn(std::string(reinterpret_cast<const char*>(bytes), length));
        if (spectators < 0) return;
        crowd.result.relayCountLast = spectators;
        if (spectators > crowd.result.relayCountMost) crowd.result.relayCountMost = spectators;
        return;
    }
    std::string error;
    const auto pass = relay::decodeLiveFrame(bytes, length, error);
    if (!pass) {
        ++count.badFrames;
        return;
    }
    if (crowd.measuring) {
        ++count.frames;
        count.bytes += wireBytes(length);
        if (haveSequence && pass->sequence - lastSequence > 1 && pass->sequence - lastSequence < 0x80000000u)
            count.skipped += pass->sequence - lastSequence - 1;
        if (!haveFirstMeasured) {
            haveFirstMeasured = true;
            firstMeasured = pass->sequence;
        }
        count.numbered = static_cast<uint32_t>(pass->sequence - firstMeasured) + 1u;
    }
    haveSequence = true;
    lastSequence = pass->sequence;
}

// Runs the loop until done() or the time is up.
void runUntil(asio::io_context& io, double seconds, const std::function<bool()>& done) {
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (!done() && Clock::now() < deadline) io.run_for(kSlice);
}

}  // namespace

CrowdResult runCrowd(const CrowdOptions& options) {
    CrowdResult result;
    Crowd crowd(result);
    asio::io_context io;
    auto keepRunning = asio::make_work_guard(io);
    tcp::resolver resolver(io);
    error_code ec;
    const auto endpoints = resolver.resolve(options.host, options.port, ec);
    if (ec || endpoints.empty()) {
        result.error = "cannot resolve " + options.host + ":" + options.port + ": " + ec.message();
        return result;
    }

    // The stalled ones first, so that they stand through the whole stretch.
    std::vector<std::unique_ptr<websocket::stream<tcp::socket>>> stalled;
    for (uint32_t i = 0; i < options.stalled; ++i) {
        auto ws = std::make_unique<websocket::stream<tcp::socket>>(io);
        ws->next_layer().open(endpoints.begin()->endpoint().protocol(), ec);
        if (!ec) ws->next_layer().set_option(asio::socket_base::receive_buffer_size(kStalledReceiveBuffer), ec);
        if (!ec) ws->next_layer().connect(endpoints.begin()->endpoint(), ec);
        if (!ec) ws->handshake(options.host + ":" + options.port, options.path, ec);
        if (ec) {
            result.error = "a stalled spectator could not connect: " + ec.message();
            return result;
        }
        stalled.push_back(std::move(ws));
        ++result.stalledConnected;
    }

    std::vector<std::unique_ptr<Reader>> readers;
    for (uint32_t i = 0; i < options.spectators; ++i) {
        readers.push_back(std::make_unique<Reader>(io, crowd, i == 0));
        readers.back()->start(endpoints, options);
    }
    runUntil(io, options.connectSeconds, [&] {
        for (const auto& r : readers)
            if (!r->count.connected && !r->count.failed) return false;
        return true;
    });

    crowd.measuring = true;
    const auto start = Clock::now();
    runUntil(io, options.seconds, [] { return false; });
    crowd.measuring = false;
    result.measuredSeconds = std::chrono::duration<double>(Clock::now() - start).count();

    // A stalled spectator reads at last: what the relay left in the pipe,
    // then the end of the connection if the relay dropped it.
    std::vector<bool> closed(stalled.size(), false);
    std::vector<beast::flat_buffer> drains(stalled.size());
    std::function<void(size_t)> drain = [&](size_t i) {
        stalled[i]->async_read(drains[i], [&, i](error_code ec, size_t) {
            drains[i].consume(drains[i].size());
            if (ec) {
                closed[i] = true;
                return;
            }
            drain(i);
        });
    };
    for (size_t i = 0; i < stalled.size(); ++i) drain(i);
    runUntil(io, options.drainSeconds, [&] {
        for (bool c : closed)
            if (!c) return false;
        return true;
    });
    for (bool c : closed) result.stalledClosed += c ? 1 : 0;

    crowd.ending = true;
    for (auto& r : readers) result.spectators.push_back(r->count);
    for (auto& r : readers) r->ws.next_layer().close(ec);
    for (auto& s : stalled) s->next_layer().close(ec);
    io.stop();
    return result;
}

}  // namespace ocre::spectators
