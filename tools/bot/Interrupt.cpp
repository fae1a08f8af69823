#include "tools/bot/Interrupt.h"

#include <signal.h>

namespace ocre::bot {

namespace {

volatile sig_atomic_t interruptRaised = 0;

void onInterrupt(int) { interruptRaised = 1; }

}  // namespace

void installInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a wait in poll() returns at once with EINTR.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool interrupted() { return interruptRaised != 0; }

}  // namespace ocre::bot
