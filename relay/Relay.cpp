#include "relay/Relay.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>

#include <arpa/inet.h>

#include <array>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <optional>

#include "protocol/ProtocolTexts.h"
#include "relay/DelayLine.h"
#include "relay/PassAssembler.h"
#include "relay/SpectatorOutbox.h"
#include "relay/SteeringRules.h"
#include "relay/UpstreamLink.h"
#include "tools/common/ServerMessage.h"
#include "tools/common/UdpEndpoint.h"

namespace ocre::relay {

namespace asio = boost::asio;
using udp = asio::ip::udp;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

// Admission as the client does it: ask every second until answered, and
// again after a second of silence, so a restarted server is picked up.
constexpr auto kAskInterval = 1s;
constexpr auto kSilence = 1s;
constexpr auto kStatusEvery = 2s;
// Changes within this long go out in one status message, so that a crowd
// arriving at once does not cost a message per spectator per arrival.
constexpr auto kStatusGathering = 100ms;
constexpr auto kSummaryEvery = 60s;
constexpr auto kDelayCheck = std::chrono::milliseconds(1000 / protocol::kPassesPerSecond);
constexpr size_t kDatagramCapacity = 2048;

void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
void logLine(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::putchar('\n');
    std::fflush(stdout);
}

}  // namespace

struct Relay::Impl : SpectatorHandler {
    Impl(asio::io_context& io, const RelayOptions& options, std::map<std::string, StaticFile> files)
        : io(io),
          options(options),
          web(io, *this, std::move(files), options.maxSpectators),
          udpSocket(io),
          tick(io),
          steerTimer(io),
          statusTimer(io),
          delayTimer(io),
          stopTimer(io),
          signals(io),
          delay(std::chrono::seconds(options.delaySeconds)) {}

    bool start(std::string& error);
    void stop(int status);

    // The server side.
    void receive();
    void onDatagram(size_t length);
    void noteServer(Clock::time_point now);
    void ask();
    void onTick();
    // Passes, from the server or the upstream.
    void publish(LivePass pass);
    void releaseDelayed(Clock::time_point now);
    void checkDelayed();
    // Steering.
    bool steerable() const { return options.steer && options.upstream.empty(); }
    void scheduleSteering();
    void sendDue();
    void send(const std::string& text);
    // Status.
    bool worldConnected() const { return options.upstream.empty() ? admitted && !silent : upstreamUp; }
    std::string statusText(const char* steering) const;
    void statusChanged();
    void broadcastStatus();

    void spectatorJoined(SpectatorId spectator) override;
    void spectatorLeft(SpectatorId spectator) override;
    void spectatorSaid(SpectatorId spectator, const BrowserMessage& message) override;

    asio::io_context& io;
    RelayOptions options;
    WebServer web;
    udp::socket udpSocket;
    udp::endpoint server;
    udp::endpoint sender;
    std::array<uint8_t, kDatagramCapacity> datagram{};
    std::string request;
    std::unique_ptr<UpstreamLink> upstream;
    asio::steady_timer tick, steerTimer, statusTimer, delayTimer, stopTimer;
    asio::signal_set signals;

    PassAssembler assembler;
    uint32_t sequence = 0;
    SharedFrame latestLive;
    DelayLine delay;
    SteeringRules steering;

    bool admitted = false;
    bool silent = false;
    bool upstreamUp = false;
    bool statusPending = false;
    bool stopped = false;
    int status = 0;
    Clock::time_point lastServer{};
    Clock::time_point lastStatus{};
    Clock::time_point lastSummary{};
    uint64_t bytesAtSummary = 0;
};

bool Relay::Impl::start(std::string& error) {
    if (!web.listen(options.bindAddress, options.httpPort, error)) return false;
    if (options.upstream.empty()) {
        sockaddr_in address{};
        if (!common::resolveIpv4(options.server, protocol::kServerPort, address, error)) return false;
        server = udp::endpoint(asio::ip::address_v4(ntohl(address.sin_addr.s_addr)), protocol::kServerPort);
        boost::system::error_code failure;
        if (udpSocket.open(udp::v4(), failure) ||
            udpSocket.bind(udp::endpoint(udp::v4(), options.udpPort), failure)) {
            error = "cannot bind UDP port " + std::to_string(options.udpPort) + ": " + failure.message();
            return false;
        }
        request = common::requestText(options.login, options.password.empty() ? protocol::kPassword : options.password,
                                      common::localAddressToward(address), udpSocket.local_endpoint().port());
        receive();
        ask();
    } else {
        const auto url = parseUpstreamUrl(options.upstream, error);
        if (!url) return false;
        upstream = std::make_unique<UpstreamLink>(
            io, *url, [this](const LivePass& pass) { publish(pass); },
            [this](bool connected, const std::string& reason) {
                upstreamUp = connected;
                if (connected) logLine("upstream %s connected", options.upstream.c_str());
                else logLine("upstream %s: %s; trying again", options.upstream.c_str(), reason.c_str());
                statusChanged();
            });
        upstream->start();
    }
    // The loaders initialised SDL before, which catches these signals for
    // itself; handlers installed now take them back.
    signals.add(SIGINT);
    signals.add(SIGTERM);
    signals.async_wait([this](const boost::system::error_code& failure, int) {
        if (!failure) stop(0);
    });
    if (options.seconds > 0) {
        stopTimer.expires_after(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options.seconds)));
        stopTimer.async_wait([this](const boost::system::error_code& failure) {
            if (!failure) stop(0);
        });
    }
    lastSummary = lastStatus = Clock::now();
    onTick();
    if (options.delaySeconds > 0) checkDelayed();
    return true;
}

void Relay::Impl::stop(int exitStatus) {
    if (stopped) return;
    stopped = true;
    status = exitStatus;
    web.stop();
    if (upstream) upstream->stop();
    io.stop();
}

void Relay::Impl::receive() {
    udpSocket.async_receive_from(asio::buffer(datagram), sender,
                                 [this](const boost::system::error_code& failure, size_t length) {
                                     if (stopped || failure == asio::error::operation_aborted) return;
                                     if (!failure) onDatagram(length);
                                     receive();
                                 });
}

void Relay::Impl::onDatagram(size_t length) {
    // The server answers from ports of its own choosing, but always from
    // its address; datagrams from elsewhere are not the server's.
    if (sender.address() != server.address()) return;
    const common::ServerMessage message = common::readServerMessage(datagram.data(), length);
    const auto now = Clock::now();
    switch (message.kind) {
    case common::ServerMessage::Kind::Accepted:
        noteServer(now);
        if (!admitted) {
            admitted = true;
            logLine("admitted by the server %s (greeting \"%s\")", options.server.c_str(), message.detail.c_str());
            statusChanged();
        }
        break;
    case common::ServerMessage::Kind::Refused:
        // A refusal answers a request: while admitted and heard there is
        // none outstanding, so it can only be forged (any process on the
        // server's host can send from its address) and must not end the
        // relay; like other stray datagrams it is not logged, so a flood of
        // them cannot flood the log either.
        if (admitted && !silent) break;
        std::fprintf(stderr, "ocre-relay: the server %s refused the relay: %s\n", options.server.c_str(),
                     message.detail.c_str());
        stop(1);
        break;
    case common::ServerMessage::Kind::Camera:
        noteServer(now);
        if (auto pass = assembler.onCamera(message.values[0], message.values[1])) publish(std::move(*pass));
        break;
    case common::ServerMessage::Kind::Actor:
        noteServer(now);
        if (auto pass = assembler.onActor(message.values[0], message.values[1], message.values[2], message.values[3]))
            publish(std::move(*pass));
        break;
    case common::ServerMessage::Kind::Other:
        break;
    }
}

void Relay::Impl::noteServer(Clock::time_point now) {
    lastServer = now;
    if (silent) {
        silent = false;
        logLine("server %s heard again", options.server.c_str());
        statusChanged();
    }
}

void Relay::Impl::ask() {
    boost::system::error_code ignored;
    udpSocket.send_to(asio::buffer(request.c_str(), request.size() + 1), server, 0, ignored);
}

void Relay::Impl::onTick() {
    const auto now = Clock::now();
    if (options.upstream.empty()) {
        if (admitted && !silent && now - lastServer >= kSilence) {
            silent = true;
            logLine("server %s silent; asking again", options.server.c_str());
            statusChanged();
        }
        if (!admitted || silent) ask();
    }
    if (steering.expire(now)) {
        logLine("steering released: the holder was idle for %lld s", static_cast<long long>(kSteeringIdle.count()));
        statusChanged();
    }
    if (const size_t dropped = web.dropStalled(now))
        logLine("dropped %zu spectator(s) that took nothing for %lld s", dropped,
                static_cast<long long>(kStallLimit.count()));
    // Checked once per tick: sending when a tick's worth short of the
    // period keeps every gap within it.
    if (now - lastStatus + kAskInterval >= kStatusEvery) broadcastStatus();
    if (now - lastSummary >= kSummaryEvery) {
        const double seconds = std::chrono::duration<double>(now - lastSummary).count();
        const uint64_t bytes = web.bytesSent() - bytesAtSummary;
        if (web.spectators() > 0 || bytes > 0)
            logLine("%zu spectator(s), %.0f bytes/s sent", web.spectators(), static_cast<double>(bytes) / seconds);
        lastSummary = now;
        bytesAtSummary = web.bytesSent();
    }
    tick.expires_at(now + kAskInterval);
    tick.async_wait([this](const boost::system::error_code& failure) {
        if (!failure) onTick();
    });
}

void Relay::Impl::publish(LivePass pass) {
    pass.sequence = sequence++;
    auto frame = std::make_shared<const std::vector<uint8_t>>(encodeLiveFrame(pass));
    latestLive = frame;
    if (options.delaySeconds == 0) {
        web.sendFrameToAll(frame, std::nullopt);
        return;
    }
    // The holder steers what it sees: it alone watches live.
    if (const auto holder = steering.holder()) web.sendFrame(*holder, frame);
    const auto now = Clock::now();
    delay.push(std::move(frame), now);
    releaseDelayed(now);
}

void Relay::Impl::releaseDelayed(Clock::time_point now) {
    if (SharedFrame due = delay.takeDue(now)) web.sendFrameToAll(due, steering.holder());
}

void Relay::Impl::checkDelayed() {
    releaseDelayed(Clock::now());
    delayTimer.expires_after(kDelayCheck);
    delayTimer.async_wait([this](const boost::system::error_code& failure) {
        if (!failure) checkDelayed();
    });
}

void Relay::Impl::scheduleSteering() {
    const auto next = steering.nextDue();
    if (!next) {
        steerTimer.cancel();
        return;
    }
    steerTimer.expires_at(*next);
    steerTimer.async_wait([this](const boost::system::error_code& failure) {
        if (!failure) sendDue();
    });
}

void Relay::Impl::sendDue() {
    for (const int word : steering.due(Clock::now()))
        send(common::commandText(protocol::kSteeringClientNumber, kSteeringWords[word]));
    scheduleSteering();
}

void Relay::Impl::send(const std::string& text) {
    boost::system::error_code ignored;
    udpSocket.send_to(asio::buffer(text.c_str(), text.size() + 1), server, 0, ignored);
}

std::string Relay::Impl::statusText(const char* steeringState) const {
    return std::string("{\"type\":\"status\",\"spectators\":") + std::to_string(web.spectators()) +
           ",\"steering\":\"" + steeringState + "\",\"steerable\":" + (steerable() ? "true" : "false") +
           ",\"server\":\"" + (worldConnected() ? "connected" : "silent") + "\"}";
}

void Relay::Impl::statusChanged() {
    if (statusPending || stopped) return;
    statusPending = true;
    statusTimer.expires_after(kStatusGathering);
    statusTimer.async_wait([this](const boost::system::error_code& failure) {
        statusPending = false;
        if (!failure) broadcastStatus();
    });
}

void Relay::Impl::broadcastStatus() {
    lastStatus = Clock::now();
    const auto holder = steering.holder();
    web.sendTextToAll(statusText(holder ? "other" : "none"), holder);
    if (holder) web.sendText(*holder, statusText("you"));
}

void Relay::Impl::spectatorJoined(SpectatorId spectator) {
    const auto holder = steering.holder();
    web.sendText(spectator, statusText(holder ? "other" : "none"));
    const SharedFrame& latest = options.delaySeconds == 0 ? latestLive : delay.latestDue();
    if (latest) web.sendFrame(spectator, latest);
    statusChanged();
}

void Relay::Impl::spectatorLeft(SpectatorId spectator) {
    if (steering.holder() == spectator) {
        steering.release(spectator);
        scheduleSteering();
        logLine("steering released: the holder left");
    }
    statusChanged();
}

void Relay::Impl::spectatorSaid(SpectatorId spectator, const BrowserMessage& message) {
    const auto now = Clock::now();
    steering.noteActivity(spectator, now);
    // Without steering nothing a browser says goes anywhere.
    if (!steerable()) return;
    switch (message.request) {
    case BrowserRequest::Steer:
        if (steering.holder() != spectator && steering.ask(spectator, now)) {
            logLine("spectator %llu steers", static_cast<unsigned long long>(spectator));
            if (latestLive) web.sendFrame(spectator, latestLive);
            statusChanged();
        }
        break;
    case BrowserRequest::Release:
        if (steering.holder() == spectator) {
            steering.release(spectator);
            logLine("spectator %llu released the controls", static_cast<unsigned long long>(spectator));
            statusChanged();
        }
        break;
    case BrowserRequest::KeyDown:
        steering.keyDown(spectator, message.word, now);
        break;
    case BrowserRequest::KeyUp:
        steering.keyUp(spectator, message.word);
        break;
    case BrowserRequest::Ignore:
    case BrowserRequest::Close:
        return;
    }
    scheduleSteering();
}

Relay::Relay(asio::io_context& io, const RelayOptions& options, std::map<std::string, StaticFile> files)
    : impl_(std::make_unique<Impl>(io, options, std::move(files))) {}

Relay::~Relay() = default;

bool Relay::start(std::string& error) { return impl_->start(error); }

uint16_t Relay::httpPort() const { return impl_->web.port(); }

int Relay::exitStatus() const { return impl_->status; }

}  // namespace ocre::relay
