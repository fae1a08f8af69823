#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <thread>

#include "tests/e2e/ServerProcess.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VirtualScreen.h"

namespace ocre::test {
namespace {

constexpr int kStartMs = 20000;
constexpr int kStopMs = 15000;

class ServerLifecycle : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(copyDefaultDataSet(dir.path())); }
    TempDir dir;
};

void expectCleanStopWithStatistics(ServerProcess& server, unsigned minimumFrames) {
    ASSERT_TRUE(server.waitForExit(kStopMs));
    EXPECT_TRUE(server.exited());
    EXPECT_EQ(server.exitStatus(), 0);
    static const std::regex statistics("Temps ecoule : (\\d+) sec\nFrames affichees : (\\d+), soit (\\d+) fps\n$");
    const std::string out = server.out();
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, statistics)) << out;
    const unsigned long seconds = std::stoul(m[1]), frames = std::stoul(m[2]), rate = std::stoul(m[3]);
    EXPECT_GE(frames, minimumFrames);
    // 40 turns a second when the machine keeps up; loose, CI is loaded. The
    // seconds are whole, so a run of about one second says nothing of a
    // lower bound: a slow start-up alone can leave it under 20 turns.
    EXPECT_LE(rate, 41u);
    if (seconds >= 2) {
        EXPECT_GE(rate, 20u);
    }
}

TEST_F(ServerLifecycle, StopsOnSigintOrSigtermAfterTheTurnWithStatistics) {
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signalNumber);
        ServerProcess server(dir.path(), {});
        ASSERT_TRUE(server.waitForOutput(kBanner, kStartMs)) << server.out() << server.err();
        EXPECT_EQ(server.out().rfind("client: localhost\n", 0), 0u);
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        server.signal(signalNumber);
        expectCleanStopWithStatistics(server, 20);
    }
}

TEST_F(ServerLifecycle, WithoutAnyDisplayChoosesTheDummyDriverAndSaysSo) {
    ServerProcess server(dir.path(), {}, {{"SDL_VIDEODRIVER", ""}});
    ASSERT_TRUE(server.waitForOutput(kBanner, kStartMs)) << server.err();
    EXPECT_NE(server.err().find("pilote video SDL \"dummy\""), std::string::npos) << server.err();
    server.signal(SIGINT);
    expectCleanStopWithStatistics(server, 1);
}

// With a real window the server stops on Escape held in it, and on SIGINT
// as well (SDL would otherwise take the signal for itself).
TEST_F(ServerLifecycle, EscapeHeldInTheRealWindowOrSigintEndsTheRun) {
    VirtualScreen screen;
    ASSERT_FALSE(screen.display().empty()) << "Xvfb did not start";
    const std::map<std::string, std::string> x11 = {{"DISPLAY", screen.display()}, {"SDL_VIDEODRIVER", "x11"}};
    {
        ServerProcess server(dir.path(), {}, x11);
        ASSERT_TRUE(server.waitForOutput(kBanner, kStartMs)) << server.err();
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        // Down and up drained in one turn would leave the key released: hold
        // it across several turns, as a person does. The key-up may find the
        // window already gone: the server stops on the first turn that sees
        // the key down, and xdotool waits for ever on a window that is gone:
        // the key-up and the whole press are bounded.
        const std::string press = "DISPLAY=" + screen.display() +
                                  " timeout 20 sh -c 'w=$(xdotool search --class ocre-server | head -n 1); test -n \"$w\" && "
                                  "xdotool keydown --window $w Escape && sleep 0.2; "
                                  "timeout 2 xdotool keyup --window $w Escape 2>/dev/null; test -n \"$w\"'";
        ASSERT_EQ(std::system(press.c_str()), 0);
        expectCleanStopWithStatistics(server, 40);
    }
    ServerProcess server(dir.path(), {}, x11);
    ASSERT_TRUE(server.waitForOutput(kBanner, kStartMs)) << server.err();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    server.signal(SIGINT);
    expectCleanStopWithStatistics(server, 1);
}

}  // namespace
}  // namespace ocre::test
