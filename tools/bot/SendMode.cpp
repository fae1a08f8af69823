#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "tools/bot/BotModes.h"
#include "tools/bot/Interrupt.h"
#include "tools/common/ServerMessage.h"
#include "tools/common/UdpEndpoint.h"

namespace ocre::bot {

using common::commandText;
using common::UdpEndpoint;
using common::openSession;

namespace {

constexpr int kSleepSliceMs = 10;

// Waits, in short slices so that Ctrl-C stops it quickly.
void pause(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!interrupted() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(kSleepSliceMs));
}

}  // namespace

int runSend(const BotOptions& options) {
    std::string error;
    sockaddr_in server{};
    UdpEndpoint endpoint;
    if (!openSession(options.host, options.serverPort, 0, server, endpoint, error)) {
        reportFailure(error);
        return kExitFailure;
    }
    uint64_t sent = 0;
    for (uint32_t round = 0; round < options.repeat && !interrupted(); ++round) {
        if (round > 0 && options.everyMs > 0) pause(options.everyMs);
        for (const std::string& word : options.words) {
            const std::string text = commandText(options.client, word);
            if (!endpoint.sendTo(server, text.c_str(), text.size() + 1)) {
                reportFailure("cannot send to " + options.host);
                return kExitFailure;
            }
            ++sent;
        }
    }
    std::printf("sent %llu commands to %s:%u\n", static_cast<unsigned long long>(sent), options.host.c_str(),
                static_cast<unsigned>(options.serverPort));
    return kExitOk;
}

}  // namespace ocre::bot
