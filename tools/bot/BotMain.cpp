// ocre-bot: a headless client of the server's UDP protocol, for people
// trying a server and for tests.

#include <cstdio>
#include <string>

#include "tools/bot/BotModes.h"
#include "tools/bot/BotOptions.h"
#include "tools/bot/Interrupt.h"

namespace ocre::bot {

void reportFailure(const std::string& text) { std::fprintf(stderr, "ocre-bot: %s\n", text.c_str()); }

}  // namespace ocre::bot

int main(int argc, char** argv) {
    using namespace ocre::bot;
    BotOptions options;
    std::string error;
    if (!parseBotOptions(argc, argv, options, error)) {
        reportFailure(error);
        return kExitUsage;
    }
    installInterruptHandler();
    switch (options.mode) {
    case Mode::Help:
        std::fputs(botUsage().c_str(), stdout);
        return kExitOk;
    case Mode::Connect:
        return runConnect(options);
    case Mode::Send:
        return runSend(options);
    case Mode::Load:
        return runLoad(options);
    }
    return kExitFailure;
}
