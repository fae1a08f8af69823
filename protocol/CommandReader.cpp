#include "protocol/CommandReader.h"

#include <string>

#include "gfx/Input.h"
#include "protocol/DatagramInbox.h"
#include "protocol/ProtocolParsing.h"

namespace ocre::protocol {

CommandReader::CommandReader(DatagramInbox& inbox) : inbox_(inbox) {}

void CommandReader::readCommands(uint32_t clientNumber) {
    if (lastUdpSocket() != kNoUdpSocket) {
        inbox_.collect();
        setLastUdpSocket(kNoUdpSocket);
    }
    std::string text;
    while (inbox_.takeCommand(text)) {
        uint32_t number = 0;
        std::string word;
        Command command;
        if (!parseCommand(text, number, word) || number != clientNumber) continue;
        if (commandForWord(word, command)) raiseCommandFlag(command);
    }
}

}  // namespace ocre::protocol
