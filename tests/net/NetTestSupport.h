#pragma once
// Shared pieces of the transport tests: the transport brought up around each
// test, and waits with a deadline so that no test hangs.

#include <gtest/gtest.h>

#include <SDL.h>

#include "tests/support/FreePort.h"

namespace ocre::test {

constexpr int kDeadlineMs = 2000;
// Long enough for several 10 ms cycles of the network thread.
constexpr int kSettleMs = 100;

// SDL (video on the dummy driver, for the event queue), SDL_net, the event
// queue and the socket manager, up for the test and down after it.
class TransportTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Polls until an event of this code for this socket (any socket if -1)
// arrives, discarding the others; the event found is copied to *found.
bool waitForEvent(int code, int socket, int timeoutMs = kDeadlineMs, SDL_Event* found = nullptr);

int threadCount();
// A joined thread may linger in /proc for a moment.
bool threadCountReaches(int count);

}  // namespace ocre::test
