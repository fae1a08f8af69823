#pragma once
// Ctrl-C ends the bot's waits cleanly: the handler only raises a flag, and
// every wait returns early when it is up.

namespace ocre::bot {

void installInterruptHandler();
bool interrupted();

}  // namespace ocre::bot
