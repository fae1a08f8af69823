#include "fuzz/DatagramTurns.h"

#include <cstring>

namespace ocre::fuzz {

namespace {

constexpr size_t kNextDatagramLength = sizeof kNextDatagram - 1;
constexpr size_t kNextTurnLength = sizeof kNextTurn - 1;

bool startsWith(const uint8_t* data, size_t size, const char* text, size_t length) {
    return size >= length && std::memcmp(data, text, length) == 0;
}

}  // namespace

std::vector<Turn> splitTurns(const uint8_t* data, size_t size) {
    std::vector<Turn> turns(1);
    std::string datagram;
    size_t at = 0;
    while (at < size) {
        if (startsWith(data + at, size - at, kNextTurn, kNextTurnLength)) {
            turns.back().push_back(std::move(datagram));
            turns.emplace_back();
            datagram.clear();
            at += kNextTurnLength;
        } else if (startsWith(data + at, size - at, kNextDatagram, kNextDatagramLength)) {
            turns.back().push_back(std::move(datagram));
            datagram.clear();
            at += kNextDatagramLength;
        } else {
            datagram.push_back(static_cast<char>(data[at++]));
        }
    }
    turns.back().push_back(std::move(datagram));
    return turns;
}

}  // namespace ocre::fuzz
