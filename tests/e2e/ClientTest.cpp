// ocre-client against the real server on 127.0.0.1: a real key held in its
// window under Xvfb walks the dragon that another client sees, and a refusal
// ends it with its reason.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <regex>
#include <string>
#include <thread>

#include "tests/e2e/ServerProcess.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VirtualScreen.h"

namespace ocre::test {
namespace {

constexpr int kStartMs = 20000;
constexpr int kExitMs = 20000;

std::string commandOutput(const std::string& command) {
    std::string out;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

// The dragon's x in every pass line that ocre-bot connect printed.
std::vector<unsigned> dragonXs(const std::string& botOutput) {
    std::vector<unsigned> xs;
    const std::regex dragon(R"(#1 \((\d+),\d+\))");
    for (auto it = std::sregex_iterator(botOutput.begin(), botOutput.end(), dragon); it != std::sregex_iterator(); ++it)
        xs.push_back(static_cast<unsigned>(std::stoul((*it)[1])));
    return xs;
}

TEST(ClientWithServer, AHeldArrowKeyInItsWindowWalksTheDragonThatAnotherClientSees) {
    if (commandOutput("command -v Xvfb").empty() || commandOutput("command -v xdotool").empty()) GTEST_SKIP() << "needs Xvfb and xdotool";
    TempDir dir;
    ASSERT_TRUE(copyDefaultDataSet(dir.path()));
    VirtualScreen screen;
    const std::string& display = screen.display();
    ASSERT_FALSE(display.empty()) << "Xvfb did not start";

    ServerProcess server(dir.path(), {});
    ASSERT_TRUE(server.waitForOutput(kBanner, kStartMs));
    ServerProcess client(Program{OCRE_CLIENT_BINARY}, dir.path(), {"--login", "player", "--seconds", "30"},
                         {{"DISPLAY", display}, {"SDL_VIDEODRIVER", ""}});
    ASSERT_TRUE(server.waitForOutput("Connexion du client player", kStartMs)) << server.out();
    std::string window;
    // Bounded: an X server that stops answering must not hang the suite.
    const std::string xdotool = "DISPLAY=" + display + " timeout 10 xdotool ";
    for (int i = 0; i < 100 && window.empty(); ++i) {
        window = commandOutput(xdotool + "search --class ocre-client 2>/dev/null | head -1");
        if (window.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    while (!window.empty() && window.back() == '\n') window.pop_back();
    ASSERT_FALSE(window.empty()) << "no ocre-client window";

    ServerProcess watcher(Program{OCRE_BOT_BINARY}, dir.path(), {"connect", "--login", "watcher", "--passes", "200"});
    ASSERT_TRUE(watcher.waitForOutput("pass 20:", kStartMs)) << watcher.err();
    // Held across many turns: the client reads the key state once a round.
    ASSERT_EQ(std::system((xdotool + "keydown --window " + window + " Right").c_str()), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ASSERT_EQ(std::system((xdotool + "keyup --window " + window + " Right").c_str()), 0);
    ASSERT_TRUE(watcher.waitForExit(kExitMs));
    const std::vector<unsigned> xs = dragonXs(watcher.out());
    ASSERT_GE(xs.size(), 150u);
    EXPECT_EQ(xs.front(), 50u);
    // Some 1.5 s of walking at 30 pixels per read of commands: far more
    // than a stray step; then it stands where it stopped.
    EXPECT_GE(xs.back(), xs.front() + 300) << watcher.out().substr(watcher.out().size() - 400);
    EXPECT_EQ(xs[xs.size() - 1], xs[xs.size() - 20]) << "the dragon was still walking after the key was released";

    // A stop signal reaches SDL as a quit event: the client ends as if closed.
    client.signal(SIGTERM);
    ASSERT_TRUE(client.waitForExit(kExitMs));
    EXPECT_EQ(client.exitStatus(), 0) << client.err();
    // "N passes drawn in S s (R per second), M datagrams ignored"
    const std::string summary = client.out();
    std::smatch match;
    ASSERT_TRUE(std::regex_search(summary, match, std::regex(R"(\(([0-9.]+) per second\), \d+ datagrams ignored)")))
        << summary;
    EXPECT_GT(std::stod(match[1]), 20);
}

TEST(ClientWithServer, ARefusalEndsTheClientWithItsReason) {
    TempDir dir;
    ASSERT_TRUE(copyDefaultDataSet(dir.path()));
    ServerProcess server(dir.path(), {});
    ASSERT_TRUE(server.waitForOutput(kBanner, kStartMs));
    ServerProcess client(Program{OCRE_CLIENT_BINARY}, dir.path(), {"--password", "wrong", "--seconds", "10"});
    ASSERT_TRUE(client.waitForExit(kExitMs));
    EXPECT_EQ(client.exitStatus(), 1);
    EXPECT_EQ(client.err(), "ocre-client: connection refused: authentification failed\n");
}

}  // namespace
}  // namespace ocre::test
