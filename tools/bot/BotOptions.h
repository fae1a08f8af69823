#pragma once
// The command line of ocre-bot: a mode word, then options, then (for send)
// the command words. Bad usage gives a one-line reason.

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/ProtocolTexts.h"

namespace ocre::bot {

enum class Mode { Help, Connect, Send, Load };

// A load run fails a bot that receives fewer passes a second than this: one
// under the server's pace, so that the timing noise of a loaded machine
// passes while a server that falls behind does not.
constexpr uint32_t kLeastLoadPace = protocol::kPassesPerSecond - 1;

struct BotOptions {
    Mode mode = Mode::Help;
    std::string host = "localhost";  // the server
    uint16_t serverPort = protocol::kServerPort;
    std::string ownHost;             // empty: the address that reaches the server
    uint16_t port = 0;               // our own UDP port; 0: any free one
    std::string login = "bot";
    std::string password = protocol::kPassword;
    uint32_t passes = 0;             // 0: until interrupted
    int timeoutMs = 5000;
    uint32_t client = protocol::kSteeringClientNumber;
    uint32_t repeat = 1;
    int everyMs = 0;
    uint32_t clients = 1;
    uint32_t seconds = 5;
    uint32_t commandRate = 0;        // load: commands a second per bot
    uint32_t garbageRate = 0;        // load: garbage datagrams a second per bot
    std::vector<std::string> words;
};

// False with a one-line reason (no newline) on bad usage.
bool parseBotOptions(int argc, char** argv, BotOptions& options, std::string& error);

std::string botUsage();

}  // namespace ocre::bot
