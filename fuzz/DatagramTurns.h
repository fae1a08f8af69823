#pragma once
// How the protocol targets read their input: turns of whole datagrams.
// Datagrams are separated by kNextDatagram; kNextTurn also ends the turn.
// Everything else is datagram bytes, zero bytes included. The datagrams of
// a turn are served to the code under test by the in-memory network
// service (tests/support/MemoryNetwork.h) as the network thread leaves them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ocre::fuzz {

inline constexpr char kNextDatagram[] = "\n~~\n";
inline constexpr char kNextTurn[] = "\n~~~\n";

using Turn = std::vector<std::string>;
std::vector<Turn> splitTurns(const uint8_t* data, size_t size);

}  // namespace ocre::fuzz
