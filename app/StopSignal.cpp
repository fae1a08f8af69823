#include "app/StopSignal.h"

#include <csignal>

namespace ocre {

namespace {

volatile std::sig_atomic_t stopFlag = 0;

void onStopSignal(int signalNumber) {
    if (stopFlag != 0) {
        // A second signal while shutting down: the operator insists.
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
        return;
    }
    stopFlag = 1;
}

}  // namespace

void installStopSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool stopRequested() { return stopFlag != 0; }

void resetStopRequestForTesting() { stopFlag = 0; }

}  // namespace ocre
