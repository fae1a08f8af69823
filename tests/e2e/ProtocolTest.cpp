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

    // A wrong password, a login already admitted, then one client too many:
    // the reply, and what the server prints after the request line.
    const std::string accepted = "from SERVEUR to CLIENT connection_accepted hello";
    const std::string refused = "from SERVEUR to CLIENT connection_refused ";
    const struct { const char *login, *password; std::string reply, lines; } requests[] = {
        {"intruder", "guess", refused + "authentification failed",
         refused + "authentification failed\nauthentification failed \n"},
        {"c2", "ocre", accepted, "authentification reussie\n" + accepted + "\nclient already connected\n"},
        {"c5", "ocre", refused + "too much connections",
         "authentification reussie\n" + refused + "too much connections\ntoo much connections \n"},
    };
    for (const auto& request : requests) {
        UdpPeer peer;
        peer.sendTo(kServerPort, connectionRequest(request.login, peer, request.password));
        EXPECT_EQ(awaitReply(peer), request.reply);
        EXPECT_TRUE(server->waitForOutput(requestLine(request.login, peer, request.password) + request.lines, kReplyMs))
            << server->out();
        std::vector<uint8_t> datagram;
        EXPECT_FALSE(peer.receive(datagram, 300)) << request.login << ": no view beyond the five admitted";
    }

    // Every admitted client keeps receiving its own passes.
    for (size_t i = 0; i < admitted.size(); ++i) {
        const std::vector<Pass> passes = collectPasses(*admitted[i], 150);
        ASSERT_FALSE(passes.empty()) << i;
        EXPECT_EQ(passes.back().client, i);
    }
}

}  // namespace
}  // namespace ocre::test
