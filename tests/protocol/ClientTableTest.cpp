#include "protocol/ClientTable.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx/Input.h"
#include "protocol/DatagramInbox.h"
#include "protocol/ViewFactory.h"
#include "tests/protocol/ProtocolTestSupport.h"

namespace ocre::test {
namespace {

using protocol::ClientTable;
using protocol::DatagramInbox;
using protocol::ViewFactory;

constexpr size_t kReplyBytes = 100;

std::string request(const std::string& login, const std::string& password = "ocre",
                    const std::string& host = "localhost", unsigned port = 4000) {
    return "from CLIENT to SERVEUR connection_request " + login + " " + password + " " + host + " " +
           std::to_string(port);
}

std::string requestLine(const std::string& login, const std::string& password = "ocre",
                        const std::string& host = "localhost", unsigned port = 4000) {
    return "**** demande de connexion du client " + login + " " + password + " " + host + " " +
           std::to_string(port) + " ****\n";
}

std::string admissionLines(const std::string& login, unsigned number, const std::string& host = "localhost",
                           unsigned port = 4000) {
    return "authentification reussie\n****   Connexion du client " + login + " (ip=" + host +
           ",port=" + std::to_string(port) + ",id_client_attribue=" + std::to_string(number) +
           ") **** \nfrom SERVEUR to CLIENT connection_accepted hello\n";
}

void expectReply(const SentDatagram& reply, const std::string& text, uint16_t port = 4000) {
    EXPECT_EQ(reply.text(), text);
    ASSERT_EQ(reply.bytes.size(), kReplyBytes);
    for (size_t i = text.size(); i < kReplyBytes; ++i) EXPECT_EQ(reply.bytes[i], 0) << "byte " << i;
    EXPECT_EQ(reply.host, kLoopback);
    EXPECT_EQ(reply.port, port);
}

class ClientTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetInputForTesting();
        setLastUdpSocket(kListeningSocket);
    }
    void TearDown() override { resetInputForTesting(); }

    std::string serve() {
        return captureStdout([this] { table.serveRequests(); });
    }
    // Admits the logins one turn each, forgetting their output and replies.
    void admit(std::initializer_list<std::string> logins) {
        for (const auto& login : logins) {
            service.queue(kListeningSocket, request(login));
            serve();
        }
        service.sent.clear();
    }

    FakeNetworkService service;
    SmallWorld world{800, 600};
    DatagramInbox inbox{service};
    ClientTable table{service, inbox, std::make_unique<ViewFactory>(world.scene(), service), "hello"};
};

TEST_F(ClientTableTest, AdmitsAValidRequestWithItsLogLinesReplyAndView) {
    service.queue(kListeningSocket, request("bob"));
    const std::string out = serve();

    EXPECT_EQ(out, requestLine("bob") + admissionLines("bob", 0));
    ASSERT_EQ(service.sent.size(), 1u);
    expectReply(service.sent[0], "from SERVEUR to CLIENT connection_accepted hello");
    ASSERT_EQ(table.acceptedCount(), 1);
    EXPECT_EQ(table.accepted(0)->clientNumber, 0u);
    EXPECT_EQ(table.accepted(0)->login, "bob");
    EXPECT_EQ(table.pendingCount(), 0);
    ASSERT_EQ(world.scene().viewCount(), 1);
    EXPECT_EQ(world.scene().view(0)->clientNumber(), 0u);
    EXPECT_EQ(service.outstanding(), 0u);
    EXPECT_EQ(lastUdpSocket(), kListeningSocket) << "the table leaves the socket notice as it found it";
}

TEST_F(ClientTableTest, RefusesAWrongPasswordEvenWhenFull) {
    admit({"a", "b", "c", "d", "e"});
    service.queue(kListeningSocket, request("f", "secret"));
    const std::string out = serve();

    EXPECT_EQ(out, requestLine("f", "secret") +
                       "from SERVEUR to CLIENT connection_refused authentification failed\n"
                       "authentification failed \n");
    ASSERT_EQ(service.sent.size(), 1u);
    expectReply(service.sent[0], "from SERVEUR to CLIENT connection_refused authentification failed");
    EXPECT_EQ(table.acceptedCount(), 5);
}

TEST_F(ClientTableTest, AnAdmittedLoginAskingAgainGetsTheAcceptanceAgainAndNoSecondView) {
    admit({"bob"});
    service.queue(kListeningSocket, request("bob", "ocre", "localhost", 4100));
    const std::string out = serve();

    EXPECT_EQ(out, requestLine("bob", "ocre", "localhost", 4100) +
                       "authentification reussie\n"
                       "from SERVEUR to CLIENT connection_accepted hello\n"
                       "client already connected\n");
    ASSERT_EQ(service.sent.size(), 1u);
    expectReply(service.sent[0], "from SERVEUR to CLIENT connection_accepted hello", 4100);
    EXPECT_EQ(table.acceptedCount(), 1);
    EXPECT_EQ(table.accepted(0)->port, 4000u) << "the admitted record is left as it was";
    EXPECT_EQ(world.scene().viewCount(), 1);
}

TEST_F(ClientTableTest, TheSixthLoginIsRefusedForWantOfRoom) {
    admit({"a", "b", "c", "d", "e"});
    service.queue(kListeningSocket, request("f"));
    const std::string out = serve();

    EXPECT_EQ(out, requestLine("f") +
                       "authentification reussie\n"
                       "from SERVEUR to CLIENT connection_refused too much connections\n"
                       "too much connections \n");
    ASSERT_EQ(service.sent.size(), 1u);
    expectReply(service.sent[0], "from SERVEUR to CLIENT connection_refused too much connections");
    EXPECT_EQ(table.acceptedCount(), 5);
    EXPECT_EQ(world.scene().viewCount(), 5);
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(table.accepted(i)->clientNumber, static_cast<uint32_t>(i));
}

TEST_F(ClientTableTest, TwoRequestsOfOneTurnAreAnsweredInOrderWithConsecutiveNumbers) {
    service.queue(kListeningSocket, request("ann", "ocre", "localhost", 4001));
    service.queue(kListeningSocket, request("bob", "ocre", "localhost", 4002));
    const std::string out = serve();

    EXPECT_EQ(out, requestLine("ann", "ocre", "localhost", 4001) + requestLine("bob", "ocre", "localhost", 4002) +
                       admissionLines("ann", 0, "localhost", 4001) + admissionLines("bob", 1, "localhost", 4002));
    ASSERT_EQ(service.sent.size(), 2u);
    EXPECT_EQ(service.sent[0].port, 4001);
    EXPECT_EQ(service.sent[1].port, 4002);
    ASSERT_EQ(world.scene().viewCount(), 2);
    EXPECT_EQ(world.scene().view(1)->clientNumber(), 1u);
}

TEST_F(ClientTableTest, IgnoresMalformedShortCapitalisedAndForeignTextsSilently) {
    service.queue(kListeningSocket, "from CLIENT to SERVEUR connection_request bob ocre localhost");
    service.queue(kListeningSocket, "from CLIENT to SERVEUR CONNECTION_REQUEST bob ocre localhost 4000");
    service.queue(kListeningSocket, "From CLIENT to SERVEUR connection_request bob ocre localhost 4000");
    service.queue(kListeningSocket, "from CLIENT to SERVEUR connection_request bob ocre localhost port");
    service.queue(kListeningSocket, "from CLIENT 1111 to SERVEUR go_right");
    service.queue(kListeningSocket, "");
    service.queueBytes(kListeningSocket, {});
    const std::string out = serve();

    EXPECT_EQ(out, "");
    EXPECT_TRUE(service.sent.empty());
    EXPECT_EQ(table.acceptedCount(), 0);
    EXPECT_EQ(service.queued(kListeningSocket), 0u);
    EXPECT_EQ(service.outstanding(), 0u) << "every datagram read is given back";
}

TEST_F(ClientTableTest, AnUnresolvableHostOrAnImpossiblePortIsDroppedAfterItsRequestLine) {
    service.queue(kListeningSocket, request("bob", "ocre", "nowhere.invalid"));
    service.queue(kListeningSocket, request("ann", "ocre", "localhost", 70000));
    const std::string out = serve();

    EXPECT_EQ(out, requestLine("bob", "ocre", "nowhere.invalid") + requestLine("ann", "ocre", "localhost", 70000));
    EXPECT_TRUE(service.sent.empty());
    EXPECT_EQ(table.acceptedCount(), 0);
    EXPECT_EQ(table.pendingCount(), 0);
}

TEST_F(ClientTableTest, ReadsNothingWithoutASocketNotice) {
    setLastUdpSocket(-1);
    service.queue(kListeningSocket, request("bob"));
    EXPECT_EQ(serve(), "");
    EXPECT_EQ(service.queued(kListeningSocket), 1u);
    EXPECT_EQ(service.readCalls, 0);
}

TEST_F(ClientTableTest, ALongGreetingIsCutToFitTheReplyWithItsTerminator) {
    const std::string greeting(200, 'g');
    ClientTable longWinded(service, inbox, std::make_unique<ViewFactory>(world.scene(), service), greeting.c_str());
    service.queue(kListeningSocket, request("bob"));
    const std::string out = captureStdout([&] { longWinded.serveRequests(); });

    ASSERT_EQ(service.sent.size(), 1u);
    ASSERT_EQ(service.sent[0].bytes.size(), kReplyBytes);
    EXPECT_EQ(service.sent[0].bytes[kReplyBytes - 1], 0);
    EXPECT_EQ(service.sent[0].text(), "from SERVEUR to CLIENT connection_accepted " + greeting.substr(0, 56));
    EXPECT_NE(out.find("connection_accepted " + greeting + "\n"), std::string::npos) << "the echo is whole";
}

}  // namespace
}  // namespace ocre::test
