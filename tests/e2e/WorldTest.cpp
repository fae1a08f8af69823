#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/LittleEndian.h"
#include "tests/e2e/ServerProcess.h"
#include "tests/support/TestFiles.h"

namespace ocre::test {
namespace {

using Point = std::pair<int, int>;

// The sheep's jump: x = 30 + 1.5 t, y = 100 - 1.5 t + 0.045 t^2, truncated.
Point arcPoint(int t) {
    const long double step = 0.1f, tau = t * step;
    return {static_cast<int>(std::trunc(tau * 15.0f + 30)),
            static_cast<int>(std::trunc(step * step * t * t * 9.0f * 0.5L + tau * -15.0f + 100))};
}

Point at(const ActorState& a) { return {static_cast<int>(a.x), static_cast<int>(a.y)}; }

// The list order is 6, 4, 3, 2, 1, 5: sheep on the path, dragon, jumping
// sheep, talker, hero on the path, pointer.
enum ListIndex { kPathSheep, kDragon, kJumper, kTalker, kHero, kPointer };

// One admitted client watches three seconds of passes; ocre-bot, run as
// people run it, then shows the same world.
TEST(WorldSeenByAClient, EveryActorMovesAsItsBehaviourSaysPassByPass) {
    TempDir dir;
    ASSERT_TRUE(copyDefaultDataSet(dir.path()));
    std::vector<uint8_t> file = readFile(dir.file("mouton3.pat"));
    const auto word = [&](size_t i) { return static_cast<int32_t>(decodeU32(&file[i])); };
    std::vector<Point> path;
    for (int32_t i = 0, n = word(0); i < n; ++i) path.emplace_back(word(5 + 4 * i), word(5 + 4 * (n + i)));
    const std::set<Point> waypoints(path.begin(), path.end());

    ServerProcess server(dir.path(), {});
    ASSERT_TRUE(server.waitForOutput(kBanner, 20000));
    UdpPeer client;
    client.sendTo(kServerPort, connectionRequest("watcher", client));
    std::vector<uint8_t> datagram;
    ASSERT_TRUE(client.receive(datagram, 5000));
    EXPECT_EQ(datagramText(datagram), "from SERVEUR to CLIENT connection_accepted hello");
    const std::vector<Pass> passes = collectPasses(client, 3000);

    std::FILE* bot = popen((std::string(OCRE_BOT_BINARY) + " connect --login botwatcher --passes 4").c_str(), "r");
    ASSERT_NE(bot, nullptr);
    std::string botOut;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, bot)) botOut += buffer;
    EXPECT_EQ(pclose(bot), 0);
    server.signal(SIGINT);
    EXPECT_TRUE(server.waitForExit(15000));
    EXPECT_EQ(server.exitStatus(), 0);

    ASSERT_GE(passes.size(), 40u);
    for (const Pass& pass : passes) ASSERT_EQ(pass.actors.size(), 6u);
    int t = -1;  // the jump's step number, found from the first pass
    for (int candidate = 0; candidate < 200 && t < 0; ++candidate)
        if (arcPoint(candidate) == at(passes[0].actors[kJumper])) t = candidate;
    ASSERT_GE(t, 0);
    std::vector<size_t> along;  // each walker's waypoint index
    for (ListIndex walker : {kPathSheep, kHero}) {
        along.push_back(std::find(path.begin(), path.end(), at(passes[0].actors[walker])) - path.begin());
        ASSERT_LT(along.back(), path.size());
    }
    int talkerMoves = 0, jumps = 0;
    bool talkerMovedLastPass = false;
    for (size_t p = 0; p < passes.size(); ++p) {
        const Pass& pass = passes[p];
        SCOPED_TRACE("pass " + std::to_string(p));
        EXPECT_EQ(std::make_pair(pass.cameraX, pass.cameraY), std::make_pair(0u, 0u));
        for (unsigned i = 0; i < 6; ++i) EXPECT_EQ(pass.actors[i].index, i);
        const ActorState &dragon = pass.actors[kDragon], &pointer = pass.actors[kPointer];
        EXPECT_EQ(std::make_tuple(dragon.x, dragon.y, dragon.animation), std::make_tuple(50u, 50u, 4u));
        // At the start-up view's origin: actor 1's x - 160, and y 0 (refused -20).
        EXPECT_EQ(std::make_tuple(pointer.x, pointer.y, pointer.animation), std::make_tuple(160u, 0u, 3u));
        // Walkers take the next waypoint or stay; the wrap shows the first twice.
        for (size_t w = 0; w < 2; ++w) {
            const Point now = at(pass.actors[w == 0 ? kPathSheep : kHero]);
            EXPECT_TRUE(waypoints.count(now));
            if (now == path[along[w]]) continue;
            along[w] = (along[w] + 1) % path.size();
            EXPECT_EQ(now, path[along[w]]) << "walker " << w;
        }
        if (at(pass.actors[kJumper]) != arcPoint(t)) {
            EXPECT_EQ(at(pass.actors[kJumper]), arcPoint(++t));
            ++jumps;
        }
        EXPECT_EQ(pass.actors[kTalker].y, 400u);
        if (p == 0) continue;
        const int dx = static_cast<int>(pass.actors[kTalker].x) - static_cast<int>(passes[p - 1].actors[kTalker].x);
        EXPECT_TRUE(dx == 0 || dx == 4 || dx == -4) << dx;
        EXPECT_FALSE(dx != 0 && talkerMovedLastPass) << "the talker moves on every second pass only";
        talkerMovedLastPass = dx != 0;
        talkerMoves += dx != 0;
    }
    EXPECT_NEAR(talkerMoves, static_cast<int>(passes.size()) / 2, 1);
    EXPECT_NEAR(jumps, static_cast<int>(passes.size()) / 2, 2);

    EXPECT_EQ(botOut.rfind("reply: from SERVEUR to CLIENT connection_accepted hello\n", 0), 0u) << botOut;
    int botPasses = 0;
    for (size_t i = botOut.find("pass "); i != std::string::npos; i = botOut.find("pass ", i + 1), ++botPasses) {
        const std::string line = botOut.substr(i, botOut.find('\n', i) - i);
        for (const char* shown : {"6 actors: #0 ", "#1 (50,50) anim 4", "#5 (160,0) anim 3"})
            EXPECT_NE(line.find(shown), std::string::npos) << line;
    }
    EXPECT_EQ(botPasses, 4);
}

}  // namespace
}  // namespace ocre::test
