#include "protocol/ProtocolParsing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace ocre::test {
namespace {

using namespace ocre::protocol;

// A datagram whose buffer holds exactly the given bytes, so that any read
// past them shows under AddressSanitizer.
class Datagram {
public:
    explicit Datagram(const std::string& bytes) {
        packet_ = SDLNet_AllocPacket(static_cast<int>(bytes.empty() ? 1 : bytes.size()));
        std::memcpy(packet_->data, bytes.data(), bytes.size());
        packet_->len = static_cast<int>(bytes.size());
    }
    ~Datagram() { SDLNet_FreePacket(packet_); }
    UDPpacket& packet() { return *packet_; }

private:
    UDPpacket* packet_;
};

std::string request(const std::string& command, const std::string& login, const std::string& password,
                    const std::string& host) {
    return "from CLIENT to SERVEUR " + command + " " + login + " " + password + " " + host + " 4000";
}

TEST(DatagramText, EndsAtTheFirstZeroByteOrAtTheLastByteReceived) {
    Datagram terminated(std::string("go\0rest", 7));
    EXPECT_EQ(datagramText(terminated.packet()), "go");

    Datagram unterminated("from CLIENT 1111 to SERVEUR go_up");
    EXPECT_EQ(datagramText(unterminated.packet()), "from CLIENT 1111 to SERVEUR go_up");

    Datagram empty("");
    empty.packet().len = 0;
    EXPECT_EQ(datagramText(empty.packet()), "");
}

TEST(DatagramText, NeverReadsBeyondTheBufferWhatTheLengthClaims) {
    Datagram lying("abcd");
    lying.packet().len = 1000;
    EXPECT_EQ(datagramText(lying.packet()), "abcd");
    lying.packet().len = -5;
    EXPECT_EQ(datagramText(lying.packet()), "");
}

TEST(ConnectionRequestText, ReadsTheFiveFields) {
    ConnectionRequest parsed;
    ASSERT_TRUE(parseConnectionRequest("from CLIENT to SERVEUR connection_request bob pw 10.0.0.2 4000", parsed));
    EXPECT_EQ(parsed.command, "connection_request");
    EXPECT_EQ(parsed.login, "bob");
    EXPECT_EQ(parsed.password, "pw");
    EXPECT_EQ(parsed.host, "10.0.0.2");
    EXPECT_EQ(parsed.port, 4000u);

    EXPECT_FALSE(parseConnectionRequest("from CLIENT to SERVEUR connection_request bob pw 10.0.0.2", parsed));
    EXPECT_FALSE(parseConnectionRequest("from CLIENT to SERVEUR", parsed));
    EXPECT_FALSE(parseConnectionRequest("from CLIENT to CLIENT connection_request bob pw h 1", parsed));
}

TEST(ConnectionRequestText, WordsUpToTheirCapacityAreKeptLongerOnesRefuseTheText) {
    ConnectionRequest parsed;
    const std::string fullLogin(255, 'l');
    ASSERT_TRUE(parseConnectionRequest(request("connection_request", fullLogin, "ocre", "h"), parsed));
    EXPECT_EQ(parsed.login, fullLogin);
    EXPECT_FALSE(parseConnectionRequest(request("connection_request", fullLogin + "l", "ocre", "h"), parsed));
    EXPECT_FALSE(parseConnectionRequest(request("connection_request", "bob", std::string(256, 'p'), "h"), parsed));
    EXPECT_TRUE(parseConnectionRequest(request("connection_request", "bob", "ocre", std::string(255, 'h')), parsed));
    EXPECT_FALSE(parseConnectionRequest(request("connection_request", "bob", "ocre", std::string(256, 'h')), parsed));
    EXPECT_TRUE(parseConnectionRequest(request(std::string(99, 'c'), "bob", "ocre", "h"), parsed));
    EXPECT_FALSE(parseConnectionRequest(request(std::string(100, 'c'), "bob", "ocre", "h"), parsed));
}

TEST(CommandText, ReadsTheNumberAndTheWord) {
    uint32_t number = 0;
    std::string word;
    ASSERT_TRUE(parseCommand("from CLIENT 1111 to SERVEUR go_right", number, word));
    EXPECT_EQ(number, 1111u);
    EXPECT_EQ(word, "go_right");
    ASSERT_TRUE(parseCommand("from\tCLIENT   7\nto SERVEUR  go_up trailing", number, word));
    EXPECT_EQ(number, 7u);
    EXPECT_EQ(word, "go_up");

    EXPECT_FALSE(parseCommand("from CLIENT 1111 to SERVEUR", number, word));
    EXPECT_FALSE(parseCommand("from CLIENT to SERVEUR go_up", number, word));
    EXPECT_TRUE(parseCommand("from CLIENT 1 to SERVEUR " + std::string(199, 'w'), number, word));
    EXPECT_FALSE(parseCommand("from CLIENT 1 to SERVEUR " + std::string(200, 'w'), number, word));
}

TEST(CommandText, OnlyTheEightWordsAsWrittenNameCommands) {
    const char* words[] = {"go_up", "go_down", "go_left", "go_right", "go_jump", "go_fire1", "go_fire2", "go_escape"};
    for (int i = 0; i < 8; ++i) {
        Command command = Command::Escape;
        ASSERT_TRUE(commandForWord(words[i], command)) << words[i];
        EXPECT_EQ(static_cast<int>(command), i) << words[i];
    }
    Command command;
    EXPECT_FALSE(commandForWord("GO_UP", command));
    EXPECT_FALSE(commandForWord("go_upp", command));
    EXPECT_FALSE(commandForWord("go_", command));
    EXPECT_FALSE(commandForWord("", command));
}

}  // namespace
}  // namespace ocre::test
