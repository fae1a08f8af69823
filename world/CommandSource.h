#pragma once
// Where a network controller's commands come from: reading drains the
// datagrams that arrived and raises the command flags of the input tables
// for those addressed to the client number. The client protocol implements it.

#include <cstdint>

namespace ocre {

class CommandSource {
public:
    virtual ~CommandSource() = default;
    virtual void readCommands(uint32_t clientNumber) = 0;
};

}  // namespace ocre
