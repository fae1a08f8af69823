#include "protocol/ProtocolParsing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace ocre::test {
namespace {

using namespace ocre::protocol;

TEST(DatagramText, EndsAtTheFirstZeroByteOrTheLastByteReceivedAndReadsNoFurther) {
    struct Row { std::string bytes; int claimedLength; std::string text; };
    for (const Row& row : std::vector<Row>{{std::string("go\0rest", 7), 7, "go"},
                                           {"from CLIENT 7 to SERVEUR go_up", 30, "from CLIENT 7 to SERVEUR go_up"},
                                           {"abcd", 1000, "abcd"},
                                           {"abcd", -5, ""}}) {
        SCOPED_TRACE(row.claimedLength);
        // The buffer holds exactly the bytes: a read past them shows under AddressSanitizer.
        UDPpacket* packet = SDLNet_AllocPacket(static_cast<int>(row.bytes.size()));
        std::memcpy(packet->data, row.bytes.data(), row.bytes.size());
        packet->len = row.claimedLength;
        EXPECT_EQ(datagramText(*packet), row.text);
        SDLNet_FreePacket(packet);
    }
}

TEST(ProtocolTexts, FieldsAreReadUpToTheirCapacityAndALongerWordRefusesTheWholeText) {
    const std::string w(255, 'w'), prefix = "from CLIENT to SERVEUR ", request = prefix + "connection_request ";
    ConnectionRequest parsed;
    ASSERT_TRUE(parseConnectionRequest(prefix + std::string(99, 'c') + " " + w + " " + w + " " + w + " 1", parsed));
    EXPECT_EQ(parsed.login + parsed.password + parsed.host, w + w + w);
    for (const std::string& refused : {prefix + std::string(100, 'c') + " l p h 1", request + w + "l p h 1",
                                       request + "l " + w + "p h 1", request + "l p " + w + "h 1"})
        EXPECT_FALSE(parseConnectionRequest(refused, parsed)) << refused.size();

    uint32_t number = 0;
    std::string word;
    ASSERT_TRUE(parseCommand("from\tCLIENT   7\nto SERVEUR  go_up trailing", number, word));
    EXPECT_EQ(std::to_string(number) + " " + word, "7 go_up");
    ASSERT_TRUE(parseCommand("from CLIENT 1 to SERVEUR " + std::string(199, 'w'), number, word));
    EXPECT_EQ(word.size(), 199u);
    EXPECT_FALSE(parseCommand("from CLIENT 1 to SERVEUR " + std::string(200, 'w'), number, word));
}

}  // namespace
}  // namespace ocre::test
