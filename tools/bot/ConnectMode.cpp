#include <cstdio>
#include <string>

#include "tools/bot/BotModes.h"
#include "tools/bot/Interrupt.h"
#include "tools/common/ServerMessage.h"
#include "tools/common/UdpEndpoint.h"

namespace ocre::bot {

using common::ServerMessage;
using common::readServerMessage;
using common::requestText;
using common::UdpEndpoint;
using common::openSession;
using common::localAddressToward;

namespace {

constexpr size_t kReceiveBuffer = 2048;

// Prints a pass once it is whole, that is when the next camera message
// arrives, or when the bot stops.
class PassPrinter {
public:
    void camera(const ServerMessage& message) {
        flush();
        line_ = "client " + std::to_string(message.client) + ", camera (" + std::to_string(message.values[0]) +
                "," + std::to_string(message.values[1]) + ")";
        actors_.clear();
        actorCount_ = 0;
        open_ = true;
    }
    void actor(const ServerMessage& message) {
        actors_ += std::string(actorCount_ ? ", " : "") + "#" + std::to_string(message.values[0]) + " (" +
                   std::to_string(message.values[1]) + "," + std::to_string(message.values[2]) + ") anim " +
                   std::to_string(message.values[3]);
        ++actorCount_;
    }
    void flush() {
        if (!open_) return;
        ++printed_;
        std::printf("pass %llu: %s, %zu actors%s%s\n", static_cast<unsigned long long>(printed_), line_.c_str(),
                    actorCount_, actorCount_ ? ": " : "", actors_.c_str());
        std::fflush(stdout);
        open_ = false;
    }
    uint64_t printed() const { return printed_; }

private:
    std::string line_;
    std::string actors_;
    size_t actorCount_ = 0;
    bool open_ = false;
    uint64_t printed_ = 0;
};

}  // namespace

int runConnect(const BotOptions& options) {
    std::string error;
    sockaddr_in server{};
    UdpEndpoint endpoint;
    if (!openSession(options.host, options.serverPort, options.port, server, endpoint, error)) {
        reportFailure(error);
        return kExitFailure;
    }
    const std::string ownHost = options.ownHost.empty() ? localAddressToward(server) : options.ownHost;
    const std::string request = requestText(options.login, options.password, ownHost, endpoint.port());
    if (!endpoint.sendTo(server, request.c_str(), request.size() + 1)) {
        reportFailure("cannot send the request to " + options.host);
        return kExitFailure;
    }

    PassPrinter printer;
    bool replied = false;
    uint8_t buffer[kReceiveBuffer];
    while (!interrupted()) {
        const long got = endpoint.receive(buffer, sizeof buffer, options.timeoutMs);
        if (got < 0) {
            if (interrupted()) break;
            printer.flush();
            reportFailure((replied ? "nothing received for " : "no reply from " + options.host + " within ") +
                          std::to_string(options.timeoutMs) + " ms");
            return kExitFailure;
        }
        const ServerMessage message = readServerMessage(buffer, static_cast<size_t>(got));
        switch (message.kind) {
        case ServerMessage::Kind::Accepted:
        case ServerMessage::Kind::Refused:
            std::printf("reply: %s\n", message.text.c_str());
            std::fflush(stdout);
            if (message.kind == ServerMessage::Kind::Refused) return kExitFailure;
            replied = true;
            break;
        case ServerMessage::Kind::Camera:
            printer.camera(message);
            if (options.passes != 0 && printer.printed() >= options.passes) return kExitOk;
            break;
        case ServerMessage::Kind::Actor:
            printer.actor(message);
            break;
        case ServerMessage::Kind::Other:
            std::printf("message: %s\n", message.text.c_str());
            std::fflush(stdout);
            break;
        }
    }
    printer.flush();
    return kExitOk;
}

}  // namespace ocre::bot
