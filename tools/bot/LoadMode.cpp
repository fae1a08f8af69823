#include <poll.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tools/bot/BotModes.h"
#include "tools/bot/Interrupt.h"
#include "tools/common/PassTracker.h"
#include "tools/common/ServerMessage.h"
#include "tools/common/UdpEndpoint.h"

namespace ocre::bot {

using common::PassTracker;
using common::ServerMessage;
using common::readServerMessage;
using common::requestText;
using common::UdpEndpoint;
using common::resolveIpv4;
using common::localAddressToward;

namespace {

using Clock = PassTracker::Clock;
constexpr size_t kReceiveBuffer = 2048;

struct LoadClient {
    std::string login;
    UdpEndpoint endpoint;
    std::string reply = "none";
    bool accepted = false;
    bool numbered = false;
    uint32_t number = 0;
    uint64_t bytes = 0;
    PassTracker passes;
};

void take(LoadClient& client, const uint8_t* bytes, size_t length, Clock::time_point now) {
    client.bytes += length;
    const ServerMessage message = readServerMessage(bytes, length);
    switch (message.kind) {
    case ServerMessage::Kind::Accepted:
        client.reply = "accepted";
        client.accepted = true;
        break;
    case ServerMessage::Kind::Refused:
        client.reply = "refused";
        break;
    case ServerMessage::Kind::Camera:
        if (!client.numbered) client.number = message.client;
        client.numbered = true;
        client.passes.onCamera(now);
        break;
    case ServerMessage::Kind::Actor:
        client.passes.onActor(message.values[0]);
        break;
    case ServerMessage::Kind::Other:
        break;
    }
}

void printTable(const std::vector<std::unique_ptr<LoadClient>>& clients, Clock::time_point end) {
    std::printf("%-6s %-12s %-6s %-8s %8s %8s %8s %10s %8s %10s\n", "bot", "login", "number", "reply", "passes",
                "per-sec", "missing", "incomplete", "disorder", "bytes");
    for (size_t i = 0; i < clients.size(); ++i) {
        const LoadClient& client = *clients[i];
        const double seconds = client.passes.secondsSinceFirstPass(end);
        const double rate = seconds > 0 ? static_cast<double>(client.passes.passes()) / seconds : 0.0;
        const std::string number = client.numbered ? std::to_string(client.number) : "-";
        std::printf("%-6zu %-12s %-6s %-8s %8llu %8.1f %8llu %10llu %8llu %10llu\n", i + 1, client.login.c_str(),
                    number.c_str(), client.reply.c_str(), static_cast<unsigned long long>(client.passes.passes()),
                    rate, static_cast<unsigned long long>(client.passes.missing(end)),
                    static_cast<unsigned long long>(client.passes.incomplete()),
                    static_cast<unsigned long long>(client.passes.disorder()),
                    static_cast<unsigned long long>(client.bytes));
    }
}

}  // namespace

int runLoad(const BotOptions& options) {
    std::string error;
    sockaddr_in server{};
    if (!resolveIpv4(options.host, options.serverPort, server, error)) {
        reportFailure(error);
        return kExitFailure;
    }
    const std::string ownHost = options.ownHost.empty() ? localAddressToward(server) : options.ownHost;

    std::vector<std::unique_ptr<LoadClient>> clients;
    std::vector<pollfd> waiting;
    for (uint32_t i = 0; i < options.clients; ++i) {
        auto client = std::make_unique<LoadClient>();
        client->login = options.login + std::to_string(i + 1);
        if (!client->endpoint.open(0, error)) {
            reportFailure(error);
            return kExitFailure;
        }
        waiting.push_back(pollfd{client->endpoint.descriptor(), POLLIN, 0});
        clients.push_back(std::move(client));
    }
    for (auto& client : clients) {
        const std::string request = requestText(client->login, options.password, ownHost, client->endpoint.port());
        if (!client->endpoint.sendTo(server, request.c_str(), request.size() + 1)) {
            reportFailure("cannot send the request to " + options.host);
            return kExitFailure;
        }
    }

    const Clock::time_point end = Clock::now() + std::chrono::seconds(options.seconds);
    uint8_t buffer[kReceiveBuffer];
    while (!interrupted()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) break;
        if (poll(waiting.data(), waiting.size(), static_cast<int>(left)) <= 0) continue;
        const Clock::time_point now = Clock::now();
        for (size_t i = 0; i < waiting.size(); ++i) {
            if (!(waiting[i].revents & POLLIN)) continue;
            long got = 0;
            while ((got = clients[i]->endpoint.receiveWaiting(buffer, sizeof buffer)) >= 0)
                take(*clients[i], buffer, static_cast<size_t>(got), now);
        }
    }
    const Clock::time_point stopped = std::min(Clock::now(), end);
    printTable(clients, stopped);
    for (const auto& client : clients)
        if (!client->accepted) return kExitFailure;
    return kExitOk;
}

}  // namespace ocre::bot
