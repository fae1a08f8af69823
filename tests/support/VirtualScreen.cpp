#include "tests/support/VirtualScreen.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace ocre::test {

namespace {
constexpr int kAttempts = 3;
constexpr int kStartMs = 10000;
}  // namespace

VirtualScreen::VirtualScreen() {
    for (int attempt = 0; attempt < kAttempts && display_.empty(); ++attempt) start();
}

VirtualScreen::~VirtualScreen() { stop(); }

void VirtualScreen::start() {
    stop();
    int numberPipe[2];
    if (pipe(numberPipe) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        close(numberPipe[0]);
        std::freopen("/dev/null", "w", stderr);
        const std::string fd = std::to_string(numberPipe[1]);
        // -noreset: the screen outlives the windows that come and go on it.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-nolisten", "tcp", "-screen", "0",
               "800x600x24", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(numberPipe[1]);
    std::string number;
    char c;
    pollfd ready{numberPipe[0], POLLIN, 0};
    while (poll(&ready, 1, kStartMs) > 0 && read(numberPipe[0], &c, 1) == 1 && c != '\n') number += c;
    close(numberPipe[0]);
    display_ = number.empty() ? "" : ":" + number;
}

void VirtualScreen::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

}  // namespace ocre::test
