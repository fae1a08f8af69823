#pragma once
// Datagrams a server must shrug off, for soaking it: random bytes of any
// length up to past its 128-byte packets, requests it must refuse or ignore
// (wrong password, over-long words, missing fields, replies addressed to the
// discard port), commands for nobody or with unknown words, and texts cut
// short without their zero byte. None can admit a client or take a bot's
// place. The same seed gives the same sequence.

#include <cstdint>
#include <random>
#include <string>

namespace ocre::bot {

class GarbageDatagrams {
public:
    explicit GarbageDatagrams(uint32_t seed);
    std::string next();

private:
    std::string randomBytes(size_t length);
    size_t upTo(size_t most);

    std::mt19937 random_;
};

}  // namespace ocre::bot
