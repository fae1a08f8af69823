#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/LittleEndian.h"
#include "tests/e2e/ServerProcess.h"
#include "tests/support/TestFiles.h"

namespace ocre::test {
namespace {

// Admits one client and records the passes it receives for a while.
class WorldSeenByAClient : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(buildDefaultDataSet(dir.path())); }

    std::vector<Pass> watch(int milliseconds) {
        ServerProcess server(dir.path(), {});
        EXPECT_TRUE(server.waitForOutput(kBanner, 20000));
        UdpPeer client;
        client.sendTo(kServerPort, connectionRequest("watcher", client));
        std::vector<uint8_t> datagram;
        EXPECT_TRUE(client.receive(datagram, 5000));
        EXPECT_EQ(datagramText(datagram), "from SERVEUR to CLIENT connection_accepted hello");

        std::vector<Pass> passes = collectPasses(client, milliseconds);
        server.signal(SIGINT);
        EXPECT_TRUE(server.waitForExit(15000));
        EXPECT_EQ(server.exitStatus(), 0);
        return passes;
    }

    std::vector<std::pair<int, int>> pathWaypoints() {
        std::vector<uint8_t> file = readFile(dir.file("mouton3.pat"));
        auto word = [&](size_t at) {
            return static_cast<int32_t>(decodeU32(&file[at]));
        };
        const uint32_t n = static_cast<uint32_t>(word(0));
        std::vector<std::pair<int, int>> points;
        for (uint32_t i = 0; i < n; ++i) points.emplace_back(word(5 + 4 * i), word(5 + 4 * n + 4 * i));
        return points;
    }

    TempDir dir;
};

// The sheep's jump: x = 30 + 1.5 t, y = 100 - 1.5 t + 0.045 t^2, truncated.
std::pair<int, int> arcPoint(int t) {
    const long double step = 0.1f, tau = t * step;
    return {static_cast<int>(std::trunc(tau * 15.0f + 30)),
            static_cast<int>(std::trunc(step * step * t * t * 9.0f * 0.5L + tau * -15.0f + 100))};
}

// The list order is 6, 4, 3, 2, 1, 5: sheep on the path, dragon, jumping
// sheep, talker, hero on the path, pointer.
enum ListIndex { kPathSheep, kDragon, kJumper, kTalker, kHero, kPointer };

TEST_F(WorldSeenByAClient, EveryPassHasTheCameraThenSixActorsInListOrder) {
    const std::vector<Pass> passes = watch(3000);
    ASSERT_GE(passes.size(), 40u);
    const auto path = pathWaypoints();
    const std::set<std::pair<int, int>> waypoints(path.begin(), path.end());
    int talkerMoves = 0;
    bool movedLastPass = false;
    for (size_t p = 0; p < passes.size(); ++p) {
        const Pass& pass = passes[p];
        SCOPED_TRACE("pass " + std::to_string(p));
        EXPECT_EQ(pass.cameraX, 0u);
        EXPECT_EQ(pass.cameraY, 0u);
        ASSERT_EQ(pass.actors.size(), 6u);
        for (unsigned i = 0; i < 6; ++i) EXPECT_EQ(pass.actors[i].index, i);

        const ActorState& dragon = pass.actors[kDragon];
        EXPECT_EQ(std::make_tuple(dragon.x, dragon.y, dragon.animation), std::make_tuple(50u, 50u, 4u));
        const ActorState& pointer = pass.actors[kPointer];
        // The pointer sits at the start-up view's origin: actor 1's x - 160, and y 0 (refused -20).
        EXPECT_EQ(std::make_tuple(pointer.x, pointer.y, pointer.animation), std::make_tuple(160u, 0u, 3u));
        for (ListIndex walker : {kPathSheep, kHero}) {
            const ActorState& a = pass.actors[walker];
            EXPECT_TRUE(waypoints.count({a.x, a.y})) << a.x << "," << a.y;
        }
        EXPECT_EQ(pass.actors[kTalker].y, 400u);
        if (p > 0) {
            const int dx = static_cast<int>(pass.actors[kTalker].x) - static_cast<int>(passes[p - 1].actors[kTalker].x);
            EXPECT_TRUE(dx == 0 || dx == 4 || dx == -4) << dx;
            // The talker moves on every second pass only.
            EXPECT_FALSE(dx != 0 && movedLastPass);
            movedLastPass = dx != 0;
            talkerMoves += dx != 0;
        }
    }
    EXPECT_NEAR(talkerMoves, static_cast<int>(passes.size()) / 2, 1);
}

TEST_F(WorldSeenByAClient, TheJumpingSheepFollowsItsArcOneStepEverySecondPass) {
    const std::vector<Pass> passes = watch(2000);
    ASSERT_GE(passes.size(), 20u);
    // Find the arc's step number of the first pass, then follow it.
    const ActorState& first = passes.front().actors[kJumper];
    int t = -1;
    for (int candidate = 0; candidate < 200 && t < 0; ++candidate)
        if (arcPoint(candidate) == std::make_pair(static_cast<int>(first.x), static_cast<int>(first.y))) t = candidate;
    ASSERT_GE(t, 0) << first.x << "," << first.y;
    int steps = 0;
    for (size_t p = 1; p < passes.size(); ++p) {
        const ActorState& a = passes[p].actors[kJumper];
        const auto now = std::make_pair(static_cast<int>(a.x), static_cast<int>(a.y));
        if (now != arcPoint(t)) {
            ++t;
            ++steps;
            EXPECT_EQ(now, arcPoint(t)) << "pass " << p;
        }
    }
    EXPECT_NEAR(steps, static_cast<int>(passes.size()) / 2, 2);
}

TEST_F(WorldSeenByAClient, PathWalkersVisitTheWaypointsInOrder) {
    const std::vector<Pass> passes = watch(2000);
    ASSERT_GE(passes.size(), 20u);
    const auto path = pathWaypoints();
    for (ListIndex walker : {kPathSheep, kHero}) {
        SCOPED_TRACE(walker);
        size_t at = 0;
        const ActorState& start = passes.front().actors[walker];
        while (at < path.size() && path[at] != std::make_pair(static_cast<int>(start.x), static_cast<int>(start.y))) ++at;
        ASSERT_LT(at, path.size());
        for (const Pass& pass : passes) {
            const auto now = std::make_pair(static_cast<int>(pass.actors[walker].x), static_cast<int>(pass.actors[walker].y));
            if (now == path[at]) continue;
            // The next waypoint, or the first again after the last: the
            // wrap shows the first waypoint twice.
            at = at + 1 < path.size() ? at + 1 : 0;
            EXPECT_EQ(now, path[at]);
        }
    }
}

TEST_F(WorldSeenByAClient, OcreBotShowsSixActorsAPassWithTheDragonAndThePointerInPlace) {
    ServerProcess server(dir.path(), {});
    ASSERT_TRUE(server.waitForOutput(kBanner, 20000));
    const std::string command = std::string(OCRE_BOT_BINARY) + " connect --login botwatcher --passes 4";
    std::FILE* bot = popen(command.c_str(), "r");
    ASSERT_NE(bot, nullptr);
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, bot)) output += buffer;
    EXPECT_EQ(pclose(bot), 0);
    server.signal(SIGINT);
    EXPECT_TRUE(server.waitForExit(15000));

    EXPECT_EQ(output.rfind("reply: from SERVEUR to CLIENT connection_accepted hello\n", 0), 0u) << output;
    int passes = 0;
    for (size_t at = output.find("pass "); at != std::string::npos; at = output.find("pass ", at + 1)) {
        const std::string line = output.substr(at, output.find('\n', at) - at);
        ++passes;
        EXPECT_NE(line.find("6 actors: #0 "), std::string::npos) << line;
        EXPECT_NE(line.find("#1 (50,50) anim 4"), std::string::npos) << line;
        EXPECT_NE(line.find("#5 (160,0) anim 3"), std::string::npos) << line;
    }
    EXPECT_EQ(passes, 4);
}

}  // namespace
}  // namespace ocre::test
