#include "protocol/CommandReader.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx/Input.h"
#include "protocol/ClientTable.h"
#include "protocol/DatagramInbox.h"
#include "protocol/ViewFactory.h"
#include "tests/protocol/ProtocolTestSupport.h"

namespace ocre::test {
namespace {

using protocol::ClientTable;
using protocol::CommandReader;
using protocol::DatagramInbox;
using protocol::ViewFactory;

constexpr uint32_t kSteering = 1111;

std::string command(const std::string& word, uint32_t number = kSteering) {
    return "from CLIENT " + std::to_string(number) + " to SERVEUR " + word;
}

std::string request(const std::string& login) {
    return "from CLIENT to SERVEUR connection_request " + login + " ocre localhost 4000";
}

class CommandReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetInputForTesting();
        setLastUdpSocket(kListeningSocket);
    }
    void TearDown() override { resetInputForTesting(); }

    int raisedCount() const {
        int raised = 0;
        for (int i = 0; i < kCommandCount; ++i) raised += commandFlag(static_cast<Command>(i)) ? 1 : 0;
        return raised;
    }
    std::string serve() {
        return captureStdout([this] { table.serveRequests(); });
    }

    FakeNetworkService service;
    SmallWorld world{800, 600};
    DatagramInbox inbox{service};
    CommandReader reader{inbox};
    ClientTable table{service, inbox, std::make_unique<ViewFactory>(world.scene(), service), "hello"};
};

TEST_F(CommandReaderTest, ACommandRaisesItsFlagForTheRestOfTheTurnOnly) {
    service.queue(kListeningSocket, command("go_left"));
    reader.readCommands(kSteering);

    EXPECT_TRUE(commandFlag(Command::Left));
    EXPECT_EQ(raisedCount(), 1);
    EXPECT_EQ(lastUdpSocket(), -1);
    reader.readCommands(kSteering);
    EXPECT_TRUE(commandFlag(Command::Left)) << "later queries of the turn still see it";

    endFrameInput();
    reader.readCommands(kSteering);
    EXPECT_FALSE(commandFlag(Command::Left));
    EXPECT_EQ(service.outstanding(), 0u);
}

TEST_F(CommandReaderTest, AllWaitingCommandsApplyAtOnce) {
    service.queue(kListeningSocket, command("go_up"));
    service.queue(kListeningSocket, command("go_down"));
    service.queue(kListeningSocket, command("go_up"));
    reader.readCommands(kSteering);
    EXPECT_TRUE(commandFlag(Command::Up));
    EXPECT_TRUE(commandFlag(Command::Down));
    EXPECT_EQ(raisedCount(), 2);
}

TEST_F(CommandReaderTest, OtherNumbersUnknownWordsAndOtherTextsAreFreedWithoutEffect) {
    service.queue(kListeningSocket, command("go_left", 7));
    service.queue(kListeningSocket, command("go_sideways"));
    service.queue(kListeningSocket, command("GO_LEFT"));
    service.queue(kListeningSocket, "from CLIENT 1111 to SERVEUR");
    service.queue(kListeningSocket, "noise");
    service.queueBytes(kListeningSocket, {'f', 'r', 'o', 'm'});
    const std::string out = captureStdout([this] { reader.readCommands(kSteering); });

    EXPECT_EQ(out, "");
    EXPECT_EQ(raisedCount(), 0);
    EXPECT_EQ(service.queued(kListeningSocket), 0u);
    EXPECT_EQ(service.outstanding(), 0u);
    EXPECT_EQ(lastUdpSocket(), -1);
}

TEST_F(CommandReaderTest, ACommandWithoutAZeroByteIsReadFromTheBytesReceived) {
    const std::string text = command("go_right");
    service.queueBytes(kListeningSocket, std::vector<uint8_t>(text.begin(), text.end()));
    reader.readCommands(kSteering);
    EXPECT_TRUE(commandFlag(Command::Right));
}

TEST_F(CommandReaderTest, ReadsNothingWithoutASocketNotice) {
    setLastUdpSocket(-1);
    service.queue(kListeningSocket, command("go_up"));
    reader.readCommands(kSteering);
    EXPECT_FALSE(commandFlag(Command::Up));
    EXPECT_EQ(service.queued(kListeningSocket), 1u);
}

TEST_F(CommandReaderTest, TheReadMarksTheSocketDrainedSoTheTableReadsNothingMore) {
    service.queue(kListeningSocket, command("go_up"));
    reader.readCommands(kSteering);
    const int readsBefore = service.readCalls;
    serve();
    EXPECT_EQ(service.readCalls, readsBefore);
}

// Both readers drain the same socket; what one finds for the other is
// handed over in arrival order.
TEST_F(CommandReaderTest, RequestsTakenByTheCommandReaderAreAnsweredThatTurnInArrivalOrder) {
    service.queue(kListeningSocket, request("ann"));
    service.queue(kListeningSocket, command("go_jump"));
    service.queue(kListeningSocket, request("bob"));
    reader.readCommands(kSteering);
    EXPECT_TRUE(commandFlag(Command::Jump));

    setLastUdpSocket(kListeningSocket);
    service.queue(kListeningSocket, request("cid"));
    const std::string out = serve();

    ASSERT_EQ(table.acceptedCount(), 3);
    EXPECT_EQ(table.accepted(0)->login, "ann");
    EXPECT_EQ(table.accepted(1)->login, "bob");
    EXPECT_EQ(table.accepted(2)->login, "cid");
    EXPECT_EQ(table.accepted(2)->clientNumber, 2u);
    EXPECT_EQ(service.sent.size(), 3u);
    EXPECT_LT(out.find("client ann "), out.find("client bob "));
    EXPECT_LT(out.find("client bob "), out.find("client cid "));
}

TEST_F(CommandReaderTest, CommandsTakenByTheTableApplyOnceAtTheNextRead) {
    service.queue(kListeningSocket, command("go_left"));
    service.queue(kListeningSocket, request("ann"));
    service.queue(kListeningSocket, command("go_fire2"));
    const std::string out = serve();
    EXPECT_EQ(table.acceptedCount(), 1);
    EXPECT_EQ(raisedCount(), 0) << "the table raises no flag itself";
    EXPECT_EQ(out.find("go_"), std::string::npos);

    // The next turn: a notice or not, the waiting commands are applied.
    setLastUdpSocket(-1);
    reader.readCommands(kSteering);
    EXPECT_TRUE(commandFlag(Command::Left));
    EXPECT_TRUE(commandFlag(Command::Fire2));
    EXPECT_EQ(raisedCount(), 2);

    endFrameInput();
    reader.readCommands(kSteering);
    EXPECT_EQ(raisedCount(), 0) << "handed-over commands apply once";
}

TEST_F(CommandReaderTest, AReaderThatNeverComesBackDoesNotMakeTheOtherHoldAnEndlessBacklog) {
    for (int turn = 0; turn < 600; ++turn) {
        setLastUdpSocket(kListeningSocket);
        service.queue(kListeningSocket, command("go_up"));
        serve();
    }
    EXPECT_LE(inbox.waitingCommands(), 256u);
    EXPECT_GT(inbox.waitingCommands(), 0u);
    EXPECT_EQ(service.outstanding(), 0u);
}

}  // namespace
}  // namespace ocre::test
