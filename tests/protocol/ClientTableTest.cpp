#include "protocol/ClientTable.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gfx/Input.h"
#include "tests/protocol/ProtocolTestSupport.h"

namespace ocre::test {
namespace {

const std::string kAccepted = "from SERVEUR to CLIENT connection_accepted hello";
const std::string kRefused = "from SERVEUR to CLIENT connection_refused ";

std::string admissionLines(const std::string& login, unsigned number, unsigned port) {
    return "authentification reussie\n****   Connexion du client " + login + " (ip=localhost,port=" +
           std::to_string(port) + ",id_client_attribue=" + std::to_string(number) + ") **** \n" + kAccepted + "\n";
}

TEST(ClientTable, TwoRequestsOfOneTurnAreAdmittedInOrderWithConsecutiveNumbersAndAViewEach) {
    ProtocolServer server;
    setLastUdpSocket(-1);
    EXPECT_EQ(server.serve({connectionRequest("ann", "ocre", 4001)}), "") << "nothing is read without a socket notice";
    setLastUdpSocket(kListeningSocket);
    const std::string out = server.serve({connectionRequest("bob", "ocre", 4002)});

    EXPECT_EQ(out, requestLine("ann", "ocre", 4001) + requestLine("bob", "ocre", 4002) +
                       admissionLines("ann", 0, 4001) + admissionLines("bob", 1, 4002));
    EXPECT_EQ(server.service.sent, (std::vector<std::string>{sentTo(4001, kAccepted), sentTo(4002, kAccepted)}));
    ASSERT_EQ(server.table.acceptedCount(), 2);
    EXPECT_EQ(server.table.accepted(1)->clientNumber, 1u);
    EXPECT_EQ(server.service.outstanding(), 0u);
    EXPECT_EQ(lastUdpSocket(), kListeningSocket) << "the table leaves the socket notice as it found it";

    // bob's view: 640 x 480, sending to bob's port; an empty world gets the camera only.
    ASSERT_EQ(server.scene.viewCount(), 2);
    auto* view = static_cast<protocol::ClientView*>(server.scene.view(1));
    EXPECT_EQ(std::make_pair(view->width(), view->height()), std::make_pair(640, 480));
    server.service.sent.clear();
    view->refresh();
    EXPECT_EQ(server.service.sent,
              std::vector<std::string>{sentTo(4002, "from SERVEUR to CLIENT 1 affiche (0,0,0,0)")});
}

// The checks come in a fixed order: password, already admitted, room.
TEST(ClientTable, ChecksThePasswordThenAnEarlierAdmissionThenTheRoomLeft) {
    struct Row { std::vector<std::string> admitted; std::string request, out, reply; };
    const std::vector<std::string> full = {"a", "b", "c", "d", "e"};
    for (const Row& row : std::vector<Row>{
             {full, connectionRequest("f", "secret"),
              requestLine("f", "secret") + kRefused + "authentification failed\nauthentification failed \n",
              sentTo(4000, kRefused + "authentification failed")},
             {{"bob"}, connectionRequest("bob", "ocre", 4100),
              requestLine("bob", "ocre", 4100) + "authentification reussie\n" + kAccepted +
                  "\nclient already connected\n",
              sentTo(4100, kAccepted)},
             {full, connectionRequest("f"),
              requestLine("f") + "authentification reussie\n" + kRefused +
                  "too much connections\ntoo much connections \n",
              sentTo(4000, kRefused + "too much connections")}}) {
        SCOPED_TRACE(row.request);
        ProtocolServer server;
        for (const auto& login : row.admitted) server.serve({connectionRequest(login)});
        server.service.sent.clear();

        EXPECT_EQ(server.serve({row.request}), row.out);
        EXPECT_EQ(server.service.sent, std::vector<std::string>{row.reply});
        ASSERT_EQ(server.table.acceptedCount(), static_cast<int32_t>(row.admitted.size()));
        EXPECT_EQ(server.scene.viewCount(), server.table.acceptedCount()) << "no second view";
        for (int32_t i = 0; i < server.table.acceptedCount(); ++i) {
            EXPECT_EQ(server.table.accepted(i)->clientNumber, static_cast<uint32_t>(i));
            EXPECT_EQ(server.table.accepted(i)->port, 4000u) << "admitted records are left as they were";
        }
    }
}

TEST(ClientTable, MalformedTextsAreIgnoredSilentlyAndUnreachableClientsDroppedAfterTheirRequestLine) {
    ProtocolServer server;
    server.service.queue("", false);
    const std::string out = server.serve(
        {"from CLIENT to SERVEUR connection_request bob ocre localhost",
         "from CLIENT to SERVEUR CONNECTION_REQUEST bob ocre localhost 4000",
         "From CLIENT to SERVEUR connection_request bob ocre localhost 4000",
         "from CLIENT to SERVEUR connection_request bob ocre localhost port", connectionRequest(std::string(256, 'l')),
         "from CLIENT 1111 to SERVEUR go_right", "", connectionRequest("bob", "ocre", 4000, "nowhere.invalid"),
         connectionRequest("ann", "ocre", 70000)});
    EXPECT_EQ(out, requestLine("bob", "ocre", 4000, "nowhere.invalid") + requestLine("ann", "ocre", 70000));
    EXPECT_TRUE(server.service.sent.empty());
    EXPECT_EQ(server.table.acceptedCount() + server.table.pendingCount(), 0);
    EXPECT_EQ(server.service.outstanding(), 0u) << "every datagram read is given back";
}

TEST(ClientTable, ALongGreetingIsCutToFitTheReplyWithItsTerminatorButEchoedWhole) {
    ProtocolServer server;
    const std::string greeting(200, 'g');
    protocol::ClientTable longWinded(server.service, server.inbox,
                                     std::make_unique<protocol::ViewFactory>(server.scene, server.service),
                                     greeting.c_str());
    server.service.queue(connectionRequest("bob"));
    const std::string out = captureStdout([&] { longWinded.serveRequests(); });
    const std::string cut = "from SERVEUR to CLIENT connection_accepted " + greeting.substr(0, 56);
    EXPECT_EQ(server.service.sent, std::vector<std::string>{sentTo(4000, cut)}) << "99 characters and the zero byte";
    EXPECT_NE(out.find("connection_accepted " + greeting + "\n"), std::string::npos);
}

}  // namespace
}  // namespace ocre::test
