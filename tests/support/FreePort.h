#pragma once
// A port for tests that need one no socket holds yet.

#include <cstdint>

namespace ocre::test {

// Free right now for sockets of the type (SOCK_DGRAM or SOCK_STREAM), and
// never the same twice in a process.
uint16_t freePort(int type);

}  // namespace ocre::test
