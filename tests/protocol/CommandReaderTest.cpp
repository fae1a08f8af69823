#include "protocol/CommandReader.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx/Input.h"
#include "tests/protocol/ProtocolTestSupport.h"

namespace ocre::test {
namespace {

constexpr uint32_t kSteering = 1111;

std::string command(const std::string& word, uint32_t number = kSteering) {
    return "from CLIENT " + std::to_string(number) + " to SERVEUR " + word;
}

// One digit per flag, in the order up, down, left, right, jump, fire1, fire2, escape.
std::string flags() {
    std::string raised;
    for (int i = 0; i < kCommandCount; ++i) raised += commandFlag(static_cast<Command>(i)) ? '1' : '0';
    return raised;
}

struct CommandReaderTest : ::testing::Test {
    ProtocolServer server;
    protocol::CommandReader reader{server.inbox};
};

TEST_F(CommandReaderTest, EachWordRaisesItsOwnFlagForTheRestOfTheTurnOnly) {
    const char* words[] = {"go_up", "go_down", "go_left", "go_right", "go_jump", "go_fire1", "go_fire2", "go_escape"};
    for (size_t i = 0; i < kCommandCount; ++i) {
        server.service.queue(command(words[i]), i % 2 == 0);  // half without a zero byte: read as received
        setLastUdpSocket(kListeningSocket);
        reader.readCommands(kSteering);
        EXPECT_EQ(lastUdpSocket(), -1) << "the socket is marked drained";
        reader.readCommands(kSteering);  // a later query of the turn still sees the flag
        std::string only(kCommandCount, '0');
        only[i] = '1';
        EXPECT_EQ(flags(), only) << words[i] << ": and the previous turn's flag is down";
        endFrameInput();
    }
}

TEST_F(CommandReaderTest, AllWaitingCommandsApplyAtOnceButOnlyAfterASocketNotice) {
    for (const char* word : {"go_up", "go_down", "go_up"}) server.service.queue(command(word));
    setLastUdpSocket(-1);
    reader.readCommands(kSteering);
    EXPECT_EQ(server.service.queued(), 3u);
    setLastUdpSocket(kListeningSocket);
    reader.readCommands(kSteering);
    EXPECT_EQ(flags(), "11000000");
    EXPECT_EQ(server.service.outstanding(), 0u);
}

TEST_F(CommandReaderTest, OtherNumbersUnknownWordsAndOtherTextsAreFreedWithoutEffect) {
    for (const std::string& text : {command("go_left", 7), command("go_sideways"), command("GO_LEFT"),
                                    command("go_upp"), command(""), std::string("noise")})
        server.service.queue(text);
    server.service.queue("from", false);
    EXPECT_EQ(captureStdout([this] { reader.readCommands(kSteering); }), "");
    EXPECT_EQ(flags(), "00000000");
    EXPECT_EQ(server.service.queued() + server.service.outstanding(), 0u);
}

// Both readers drain the same socket; what one finds for the other is
// handed over in arrival order.
TEST_F(CommandReaderTest, EachReaderHandsTheOtherWhatItFindsInArrivalOrder) {
    for (const auto& text : {connectionRequest("ann"), command("go_jump"), connectionRequest("bob")})
        server.service.queue(text);
    reader.readCommands(kSteering);
    EXPECT_EQ(flags(), "00001000");
    setLastUdpSocket(kListeningSocket);
    std::string out = server.serve({connectionRequest("cid")});
    ASSERT_EQ(server.table.acceptedCount(), 3) << "requests taken by the command reader are answered that turn";
    EXPECT_EQ(server.table.accepted(0)->login + server.table.accepted(1)->login + server.table.accepted(2)->login,
              "annbobcid");
    EXPECT_LT(out.find("client ann "), out.find("client bob "));
    EXPECT_LT(out.find("client bob "), out.find("client cid "));

    endFrameInput();
    setLastUdpSocket(kListeningSocket);
    out = server.serve({command("go_left"), connectionRequest("dan"), command("go_fire2")});
    EXPECT_EQ(server.table.acceptedCount(), 4);
    EXPECT_EQ(flags(), "00000000") << "the table raises no flag itself";
    EXPECT_EQ(out.find("go_"), std::string::npos);
    setLastUdpSocket(-1);  // the commands come from the table's read, not from the socket
    reader.readCommands(kSteering);
    EXPECT_EQ(flags(), "00100010");
    endFrameInput();
    reader.readCommands(kSteering);
    EXPECT_EQ(flags(), "00000000") << "handed-over commands apply once";
}

TEST_F(CommandReaderTest, AReaderThatNeverComesBackDoesNotMakeTheOtherHoldAnEndlessBacklog) {
    for (int turn = 0; turn < 600; ++turn) {
        setLastUdpSocket(kListeningSocket);
        server.serve({command("go_up")});
    }
    EXPECT_EQ(server.inbox.waitingCommands(), 256u);
    EXPECT_EQ(server.service.outstanding(), 0u);
}

}  // namespace
}  // namespace ocre::test
