#pragma once
// An X server of its own (Xvfb) for the tests that need a real window.

#include <sys/types.h>

#include <string>

namespace ocre::test {

class VirtualScreen {
public:
    // Xvfb picks a free display number and writes it to a pipe, so parallel
    // runs never clash; two starting at once may race for one number and
    // the loser gives up, so it is asked again.
    VirtualScreen();
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;
    // ":N", or empty when no X server could be started.
    const std::string& display() const { return display_; }

private:
    void start();
    void stop();

    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace ocre::test
