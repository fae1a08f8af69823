#pragma once
// The three things ocre-bot does; each returns the process exit status and
// reports its failures as one line on standard error.

#include "tools/bot/BotOptions.h"

namespace ocre::bot {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Connects, prints the reply and then every pass received.
int runConnect(const BotOptions& options);
// Sends command words.
int runSend(const BotOptions& options);
// Many bots connect and receive; a table of what each received.
int runLoad(const BotOptions& options);

// "ocre-bot: <text>\n" on standard error.
void reportFailure(const std::string& text);

}  // namespace ocre::bot
