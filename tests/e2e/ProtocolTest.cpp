// The client protocol against the real server over UDP on 127.0.0.1: the
// handshake's orders and replies, the passes each admitted client
// receives, and commands steering the network-steered actor.

#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/ServerProcess.h"
#include "tests/support/TestFiles.h"

namespace ocre::test {
namespace {

constexpr int kStartMs = 20000;
constexpr int kStopMs = 15000;
constexpr int kReplyMs = 3000;
// The network-steered actor: fourth built, second in the depth-sorted list.
constexpr unsigned kSteeredIndex = 1;
constexpr unsigned kSteeredStartX = 50;
constexpr unsigned kStep = 30;

std::string requestLine(const std::string& login, const UdpPeer& peer, const std::string& password = "ocre") {
    return "**** demande de connexion du client " + login + " " + password + " 127.0.0.1 " +
           std::to_string(peer.port()) + " ****\n";
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

// Sends one command every few milliseconds until stopped.
class CommandStream {
public:
    CommandStream(const std::string& text, int everyMs)
        : thread_([this, text, everyMs] {
              while (!stop_) {
                  peer_.sendTo(kServerPort, text);
                  std::this_thread::sleep_for(std::chrono::milliseconds(everyMs));
              }
          }) {}
    ~CommandStream() { stop(); }
    void stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }

private:
    UdpPeer peer_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

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

// Commands for another client number steer nothing; a go_right stream for
// 1111 moves the actor 30 pixels at each of its updates, every second pass.
TEST_F(ProtocolOverUdp, OnlyClient1111GoRightMovesTheSteeredActorThirtyPixelsPerScheduledUpdate) {
    auto client = admit("watcher");
    std::vector<Pass> passes;
    {
        CommandStream stream("from CLIENT 7 to SERVEUR go_right", 5);
        passes = collectPasses(*client, 800);
    }
    ASSERT_GE(passes.size(), 10u);
    for (const Pass& pass : passes) {
        ASSERT_EQ(pass.actors.size(), 6u);
        EXPECT_EQ(pass.actors[kSteeredIndex].x, kSteeredStartX);
        EXPECT_EQ(pass.actors[kSteeredIndex].animation, 4u);
    }
    {
        CommandStream stream("from CLIENT 1111 to SERVEUR go_right", 5);
        passes = collectPasses(*client, 1500);
    }
    ASSERT_GE(passes.size(), 20u);
    unsigned steps = 0;
    bool previousMoved = false;
    for (size_t i = 1; i < passes.size(); ++i) {
        ASSERT_EQ(passes[i].actors.size(), 6u);
        const ActorState &before = passes[i - 1].actors[kSteeredIndex], &after = passes[i].actors[kSteeredIndex];
        EXPECT_EQ(after.y, 50u);
        ASSERT_TRUE(after.x == before.x || after.x == before.x + kStep) << "pass " << i << ": " << before.x << " -> "
                                                                        << after.x;
        const bool moved = after.x != before.x;
        EXPECT_FALSE(moved && previousMoved) << "the actor is scheduled every second pass; pass " << i;
        previousMoved = moved;
        steps += moved;
        if (moved) {
            EXPECT_EQ(after.animation, 2u);
        }
    }
    // About one step every two passes once walking; loose, CI is loaded.
    EXPECT_GE(steps, passes.size() / 4) << passes.size() << " passes";
}

}  // namespace
}  // namespace ocre::test
