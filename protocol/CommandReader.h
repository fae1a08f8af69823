#pragma once
// Reads the commands that clients send to steer the network-steered actor.
// Every read applies all the commands waiting since the previous one: each
// recognised word addressed to the client number raises its command flag
// for the rest of the turn. Unknown words, other numbers and other texts
// are dropped without a word.

#include <cstdint>

#include "world/CommandSource.h"

namespace ocre::protocol {

class DatagramInbox;

class CommandReader : public CommandSource {
public:
    explicit CommandReader(DatagramInbox& inbox);

    // Drains the socket of the latest UDP notice, if any, and marks it
    // drained (-1); then applies every waiting command, including those the
    // client table found after the previous read.
    void readCommands(uint32_t clientNumber) override;

private:
    DatagramInbox& inbox_;
};

}  // namespace ocre::protocol
