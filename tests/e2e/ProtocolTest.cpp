// The client protocol against the real server over UDP on 127.0.0.1: the
// handshake's orders and replies, and the passes each admitted client
// receives.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/ServerProcess.h"
#include "tests/support/TestFiles.h"

namespace ocre::test {
namespace {

constexpr int kStartMs = 20000;
constexpr int kStopMs = 15000;
constexpr int kReplyMs = 3000;

std::string requestLine(const std::string& login, const UdpPeer& peer, const std::string& password = "ocre") {
    return test::requestLine(login, password, peer.port(), "127.0.0.1");
}

bool isDisplayUpdate(const std::string& text) {
    unsigned a, b, c, d, e;
    return std::sscanf(text.c_str(), "from SERVEUR to CLIENT %u affiche (%u,%u,%u,%u)", &a, &b, &c, &d, &e) == 5 ||
           std::sscanf(text.c_str(), "from SERVEUR to CLIENT %u sprite (%u,%u,%u,%u)", &a, &b, &c, &d, &e) == 5;
}

// The next reply to a request, skipping display updates; checks that it is
// exactly 100 bytes, zero-padded after its text.
std::string awaitReply(UdpPeer& peer, int timeoutMs = kReplyMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::vector<uint8_t> datagram;
    while (std::chrono::steady_clock::now() < until) {
        if (!peer.receive(datagram, 100)) continue;
        const std::string text = datagramText(datagram);
        if (isDisplayUpdate(text)) continue;
        EXPECT_EQ(datagram.size(), kDatagramSize) << text;
        for (size_t i = text.size(); i < datagram.size(); ++i) EXPECT_EQ(datagram[i], 0) << text << " byte " << i;
        return text;
    }
    return "(no reply)";
}

class ProtocolOverUdp : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(copyDefaultDataSet(dir.path()));
        server = std::make_unique<ServerProcess>(dir.path(), std::vector<std::string>{});
        ASSERT_TRUE(server->waitForOutput(kBanner, kStartMs)) << server->out() << server->err();
    }
    void TearDown() override {
        if (!server) return;
        server->signal(SIGINT);
        EXPECT_TRUE(server->waitForExit(kStopMs));
        EXPECT_EQ(server->exitStatus(), 0) << server->err();
    }

    // Admits a client and returns its peer, the acceptance checked.
    std::unique_ptr<UdpPeer> admit(const std::string& login) {
        auto peer = std::make_unique<UdpPeer>();
        peer->sendTo(kServerPort, connectionRequest(login, *peer));
        EXPECT_EQ(awaitReply(*peer), "from SERVEUR to CLIENT connection_accepted hello") << login;
        return peer;
    }

    TempDir dir;
    std::unique_ptr<ServerProcess> server;
};

TEST_F(ProtocolOverUdp, HandshakeAdmitsFiveThenRefusesInTheWrittenOrder) {
    std::vector<std::unique_ptr<UdpPeer>> admitted;
    for (int i = 0; i < 5; ++i) {
        const std::string login = "c" + std::to_string(i);
        admitted.push_back(admit(login));
        const std::string expected = requestLine(login, *admitted.back()) +
                                     "authentification reussie\n"
                                     "****   Connexion du client " + login + " (ip=127.0.0.1,port=" +
                                     std::to_string(admitted.back()->port()) + ",id_client_attribue=" +
                                     std::to_string(i) + ") **** \n"
                                     "from SERVEUR to CLIENT connection_accepted hello\n";
        EXPECT_TRUE(server->waitForOutput(expected, kReplyMs)) << server->out();
    }

    UdpPeer wrong;
    wrong.sendTo(kServerPort, connectionRequest("intruder", wrong, "guess"));
    EXPECT_EQ(awaitReply(wrong), "from SERVEUR to CLIENT connection_refused authentification failed");
    EXPECT_TRUE(server->waitForOutput(requestLine("intruder", wrong, "guess") +
                                          "from SERVEUR to CLIENT connection_refused authentification failed\n"
                                          "authentification failed \n",
                                      kReplyMs))
        << server->out();

    UdpPeer again;
    again.sendTo(kServerPort, connectionRequest("c2", again));
    EXPECT_EQ(awaitReply(again), "from SERVEUR to CLIENT connection_accepted hello");
    EXPECT_TRUE(server->waitForOutput(requestLine("c2", again) +
                                          "authentification reussie\n"
                                          "from SERVEUR to CLIENT connection_accepted hello\n"
                                          "client already connected\n",
                                      kReplyMs))
        << server->out();
    std::vector<uint8_t> datagram;
    EXPECT_FALSE(again.receive(datagram, 300)) << "no second view for an admitted login";

    UdpPeer sixth;
    sixth.sendTo(kServerPort, connectionRequest("c5", sixth));
    EXPECT_EQ(awaitReply(sixth), "from SERVEUR to CLIENT connection_refused too much connections");
    EXPECT_TRUE(server->waitForOutput(requestLine("c5", sixth) +
                                          "authentification reussie\n"
                                          "from SERVEUR to CLIENT connection_refused too much connections\n"
                                          "too much connections \n",
                                      kReplyMs))
        << server->out();

    // Every admitted client keeps receiving its own passes.
    for (size_t i = 0; i < admitted.size(); ++i) {
        const std::vector<Pass> passes = collectPasses(*admitted[i], 150);
        ASSERT_FALSE(passes.empty()) << i;
        EXPECT_EQ(passes.back().client, i);
    }
}

}  // namespace
}  // namespace ocre::test
