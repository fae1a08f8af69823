#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tools/bot/BotModes.h"
#include "tools/bot/GarbageDatagrams.h"
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
// Each bot's garbage is its own, and the same from run to run.
constexpr uint32_t kGarbageSeed = 5550;

// Something sent at a steady rate while receiving; nothing at rate 0.
class Schedule {
public:
    Schedule(uint32_t perSecond, Clock::time_point start)
        : period_(perSecond ? std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / perSecond
                            : Clock::duration::zero()),
          next_(start + period_) {}
    bool active() const { return period_ != Clock::duration::zero(); }
    Clock::time_point next() const { return next_; }
    // Whether one is due; a schedule that fell far behind starts afresh
    // rather than sending a burst.
    bool due(Clock::time_point now) {
        if (!active() || now < next_) return false;
        next_ = std::max(next_ + period_, now);
        return true;
    }

private:
    Clock::duration period_;
    Clock::time_point next_;
};

struct LoadClient {
    LoadClient(uint32_t index, const BotOptions& options, Clock::time_point start)
        : garbage(kGarbageSeed + index),
          commandTimes(options.commandRate, start),
          garbageTimes(options.garbageRate, start) {}
    std::string login;
    UdpEndpoint endpoint;
    std::string reply = "none";
    bool accepted = false;
    bool numbered = false;
    uint32_t number = 0;
    uint64_t bytes = 0;
    PassTracker passes;
    GarbageDatagrams garbage;
    Schedule commandTimes;
    Schedule garbageTimes;
    size_t nextWord = 0;
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

// Sends what is due; false if the server cannot be reached.
bool sendDue(LoadClient& client, const sockaddr_in& server, Clock::time_point now) {
    bool sent = true;
    while (client.commandTimes.due(now)) {
        const std::string text = common::commandText(
            protocol::kSteeringClientNumber, protocol::kCommandWords[client.nextWord++ % protocol::kCommandWordCount]);
        sent = client.endpoint.sendTo(server, text.c_str(), text.size() + 1) && sent;
    }
    while (client.garbageTimes.due(now)) {
        const std::string bytes = client.garbage.next();
        sent = client.endpoint.sendTo(server, bytes.data(), bytes.size()) && sent;
    }
    return sent;
}

Clock::time_point nextSend(const std::vector<std::unique_ptr<LoadClient>>& clients, Clock::time_point end) {
    Clock::time_point next = end;
    for (const auto& client : clients) {
        if (client->commandTimes.active()) next = std::min(next, client->commandTimes.next());
        if (client->garbageTimes.active()) next = std::min(next, client->garbageTimes.next());
    }
    return next;
}

double paceOf(const LoadClient& client, Clock::time_point end) {
    const double seconds = client.passes.secondsSinceFirstPass(end);
    return seconds > 0 ? static_cast<double>(client.passes.passes()) / seconds : 0.0;
}

void printTable(const std::vector<std::unique_ptr<LoadClient>>& clients, Clock::time_point end) {
    std::printf("%-6s %-12s %-6s %-8s %8s %8s %8s %10s %8s %10s\n", "bot", "login", "number", "reply", "passes",
                "per-sec", "missing", "incomplete", "disorder", "bytes");
    for (size_t i = 0; i < clients.size(); ++i) {
        const LoadClient& client = *clients[i];
        const std::string number = client.numbered ? std::to_string(client.number) : "-";
        std::printf("%-6zu %-12s %-6s %-8s %8llu %8.1f %8llu %10llu %8llu %10llu\n", i + 1, client.login.c_str(),
                    number.c_str(), client.reply.c_str(), static_cast<unsigned long long>(client.passes.passes()),
                    paceOf(client, end), static_cast<unsigned long long>(client.passes.missingWithinRun()),
                    static_cast<unsigned long long>(client.passes.incomplete()),
                    static_cast<unsigned long long>(client.passes.disorder()),
                    static_cast<unsigned long long>(client.bytes));
    }
}

// One line on standard error per bot that failed the run; true if none did.
bool judge(const std::vector<std::unique_ptr<LoadClient>>& clients, Clock::time_point end) {
    bool allGood = true;
    char pace[32];
    for (const auto& client : clients) {
        const std::string who = client->login + ": ";
        if (!client->accepted) {
            reportFailure(who + "not accepted (reply: " + client->reply + ")");
            allGood = false;
            continue;
        }
        if (client->passes.missingWithinRun() > 0) {
            reportFailure(who + std::to_string(client->passes.missingWithinRun()) + " passes missing");
            allGood = false;
        }
        if (paceOf(*client, end) < kLeastLoadPace) {
            std::snprintf(pace, sizeof pace, "%.1f", paceOf(*client, end));
            reportFailure(who + pace + " passes a second, under " + std::to_string(kLeastLoadPace));
            allGood = false;
        }
    }
    return allGood;
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

    const Clock::time_point start = Clock::now();
    std::vector<std::unique_ptr<LoadClient>> clients;
    std::vector<pollfd> waiting;
    for (uint32_t i = 0; i < options.clients; ++i) {
        auto client = std::make_unique<LoadClient>(i, options, start);
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

    const Clock::time_point end = start + std::chrono::seconds(options.seconds);
    uint8_t buffer[kReceiveBuffer];
    while (!interrupted()) {
        const Clock::time_point now = Clock::now();
        if (now >= end) break;
        for (auto& client : clients) {
            if (!sendDue(*client, server, now)) {
                reportFailure("cannot send to " + options.host);
                return kExitFailure;
            }
        }
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextSend(clients, end) - now).count();
        if (poll(waiting.data(), waiting.size(), static_cast<int>(std::max<long long>(wait, 0))) <= 0) continue;
        const Clock::time_point received = Clock::now();
        for (size_t i = 0; i < waiting.size(); ++i) {
            if (!(waiting[i].revents & POLLIN)) continue;
            long got = 0;
            while ((got = clients[i]->endpoint.receiveWaiting(buffer, sizeof buffer)) >= 0)
                take(*clients[i], buffer, static_cast<size_t>(got), received);
        }
    }
    const Clock::time_point stopped = std::min(Clock::now(), end);
    printTable(clients, stopped);
    return judge(clients, stopped) ? kExitOk : kExitFailure;
}

}  // namespace ocre::bot
