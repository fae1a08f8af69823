#include <poll.h>

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "client/PassPainter.h"
#include "client/Sessions.h"
#include "client/StatusLine.h"
#include "client/WindowInput.h"
#include "protocol/ProtocolTexts.h"
#include "tools/common/ServerMessage.h"
#include "tools/common/UdpEndpoint.h"

namespace ocre::client {

namespace {

using namespace std::chrono;
using common::UdpEndpoint;

constexpr auto kRequestInterval = seconds(1);
constexpr auto kSilence = seconds(1);
// Held keys are sent once per server turn: the server applies whatever
// arrived since its last read at once, so holding walks the dragon
// steadily and letting go leaves nothing queued.
constexpr auto kCommandInterval = milliseconds(protocol::kTurnMilliseconds);
constexpr auto kRefusalShown = milliseconds(1500);
constexpr int kLongestWaitMs = 10;
// A flood must not keep the client from drawing: after this many
// datagrams in a row it draws and reads the window before reading more.
constexpr int kDatagramsPerRound = 512;

void reportFailure(const std::string& reason) { std::fprintf(stderr, "ocre-client: %s\n", reason.c_str()); }

bool sendText(UdpEndpoint& endpoint, const sockaddr_in& server, const std::string& text) {
    return endpoint.sendTo(server, text.c_str(), text.size() + 1);
}

}  // namespace

int runLive(const ClientOptions& options, PassReader& reader, Picture& picture, RunSummary& summary) {
    std::string error;
    sockaddr_in server{};
    UdpEndpoint endpoint;
    if (!common::openSession(options.host, protocol::kServerPort, options.port, server, endpoint, error)) {
        reportFailure(error);
        return 1;
    }
    RecordWriter recorder;
    if (!options.recordFile.empty() && !recorder.open(options.recordFile, error)) {
        reportFailure(error);
        return 1;
    }
    const std::string request = common::requestText(options.login, options.password,
                                                    common::localAddressToward(server), endpoint.port());

    LinkStatus link;
    bool statusOn = options.statusLine;
    const auto start = steady_clock::now();
    auto now = start;
    auto statusText_ = [&] { return statusOn ? statusText(link) : std::string(); };
    PassPainter painter(reader, picture, statusText_);
    std::optional<steady_clock::time_point> lastRequest;
    std::optional<steady_clock::time_point> acceptedAt;
    auto nextCommand = start;
    uint8_t buffer[kMaxRecordedDatagram];
    int status = 0;

    while (true) {
        now = steady_clock::now();
        if (options.seconds > 0 && now - start >= duration<double>(options.seconds)) break;
        const WindowRound round = readWindow();
        if (round.quit) break;
        if (round.toggleStatus) {
            statusOn = !statusOn;
            painter.redraw();
        }

        const auto heard = reader.lastUpdate() ? reader.lastUpdate() : acceptedAt;
        link.silent = link.state == LinkState::Connected && heard && now - *heard >= kSilence;
        if ((link.state == LinkState::Connecting || link.silent) &&
            (!lastRequest || now - *lastRequest >= kRequestInterval)) {
            sendText(endpoint, server, request);
            lastRequest = now;
        }
        if (now >= nextCommand) {
            for (const char* word : round.heldWords)
                sendText(endpoint, server, common::commandText(protocol::kSteeringClientNumber, word));
            nextCommand = now + kCommandInterval;
        }

        for (int i = 0; i < kDatagramsPerRound; ++i) {
            const long got = endpoint.receiveWaiting(buffer, sizeof buffer);
            if (got < 0) break;
            now = steady_clock::now();
            const auto length = static_cast<size_t>(got);
            if (recorder.write(static_cast<uint32_t>(duration_cast<milliseconds>(now - start).count()), buffer,
                               length) == false &&
                !options.recordFile.empty()) {
                reportFailure("cannot write " + options.recordFile);
                return 1;
            }
            link.client = reader.clientNumber();
            link.passesPerSecond = reader.passesInLastSecond(now);
            link.missing = reader.missing(now);
            const PassReader::Outcome outcome = painter.feed(buffer, length, now);
            // Only an answer to a request counts: anyone can send a refusal,
            // and one arriving while the updates flow would end a working
            // session.
            const bool asking = link.state == LinkState::Connecting || link.silent;
            if (outcome.kind == PassReader::Kind::Refused && asking) {
                link.state = LinkState::Refused;
                link.reason = outcome.detail;
                break;
            }
            // A restarted server may give the client another number.
            if (outcome.kind == PassReader::Kind::Accepted && asking) {
                reader.forgetClientNumber();
                acceptedAt = now;
                link.state = LinkState::Connected;
                link.silent = false;
            }
            // The acceptance may be lost while the updates come through.
            if (outcome.kind == PassReader::Kind::Display) {
                link.state = LinkState::Connected;
                link.silent = false;
            }
        }
        if (link.state == LinkState::Refused) break;

        link.client = reader.clientNumber();
        link.passesPerSecond = reader.passesInLastSecond(now);
        link.missing = reader.missing(now);
        painter.refreshStatusLine(now);
        painter.presentIfDrawn();

        const auto untilCommand = duration_cast<milliseconds>(nextCommand - steady_clock::now()).count();
        pollfd waiting{endpoint.descriptor(), POLLIN, 0};
        poll(&waiting, 1, static_cast<int>(std::clamp<long long>(untilCommand, 0, kLongestWaitMs)));
    }

    if (link.state == LinkState::Refused) {
        // The reason stays in the window for a moment, then the program ends.
        statusOn = true;
        painter.redraw();
        painter.presentIfDrawn();
        const auto until = steady_clock::now() + kRefusalShown;
        while (steady_clock::now() < until && !readWindow().quit) SDL_Delay(kLongestWaitMs);
        reportFailure("connection refused: " + link.reason);
        status = 1;
    }
    if (!recorder.close() && !options.recordFile.empty()) {
        reportFailure("cannot write " + options.recordFile);
        status = 1;
    }
    summary.passesDrawn = painter.passesDrawn();
    summary.ignored = reader.ignored();
    summary.seconds = duration<double>(steady_clock::now() - start).count();
    return status;
}

}  // namespace ocre::client
