#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/LittleEndian.h"
#include "tests/e2e/ServerProcess.h"
#include "tests/support/TestFiles.h"

namespace ocre::test {
namespace {

constexpr int kStartMs = 20000;
constexpr int kStopMs = 15000;
constexpr const char* kOpenError = "erreur d'ouverture du fichier ";

class ServerStartup : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(buildDefaultDataSet(dir.path())); }

    // Runs the server until it fails or shows the banner (then stops it).
    void runUntilBannerOrExit(ServerProcess& server) {
        if (server.waitForOutput(kBanner, kStartMs)) server.signal(SIGINT);
        ASSERT_TRUE(server.waitForExit(kStopMs));
    }

    std::vector<std::string> datNames(const std::string& datFile) {
        std::ifstream in(dir.file(datFile));
        std::vector<std::string> names;
        for (std::string name; in >> name;) names.push_back(name);
        return names;
    }

    TempDir dir;
};

TEST_F(ServerStartup, EchoesOneClientLinePerArgument) {
    const std::vector<std::vector<std::string>> commandLines = {{}, {"alpha"}, {"alpha", "beta"}};
    const std::vector<std::string> expected = {"client: localhost\n", "client: alpha\n",
                                               "client: alpha\nclient: beta\n"};
    for (size_t i = 0; i < commandLines.size(); ++i) {
        ServerProcess server(dir.path(), commandLines[i]);
        runUntilBannerOrExit(server);
        EXPECT_EQ(server.exitStatus(), 0);
        EXPECT_EQ(server.out().rfind(expected[i] + kBanner, 0), 0u) << server.out();
    }
}

TEST_F(ServerStartup, EachMissingFileIsReportedAtTheFirstStepThatOpensIt) {
    // Start-up order: font, dialogue, portraits, tiles, map, the four DAT
    // lists each followed by the sprite files it names, then the path.
    std::vector<std::string> order = {"fonte.spr", "mairpawn.dlg", "faces.spr", "test2.tle", "test2.map"};
    for (const char* dat : {"songroku.dat", "mouton.dat", "pointeur.dat", "dragourou.dat"}) {
        order.push_back(dat);
        for (const std::string& sprite : datNames(dat)) order.push_back(sprite);
    }
    order.push_back("mouton3.pat");

    for (const std::string& name : order) {
        SCOPED_TRACE(name);
        const std::string hidden = dir.file(name + ".hidden");
        ASSERT_EQ(rename(dir.file(name).c_str(), hidden.c_str()), 0);
        ServerProcess server(dir.path(), {});
        runUntilBannerOrExit(server);
        rename(hidden.c_str(), dir.file(name).c_str());
        EXPECT_TRUE(server.exited());
        EXPECT_EQ(server.exitStatus(), 255);
        const std::string& out = server.out();
        const std::string expectedEnd = std::string(kOpenError) + name;
        ASSERT_GE(out.size(), expectedEnd.size());
        EXPECT_EQ(out.substr(out.size() - expectedEnd.size()), expectedEnd) << out;
        EXPECT_EQ(out.find(kBanner), std::string::npos);
    }
}

TEST_F(ServerStartup, MapIndexEqualToTheTileCountIsNotConforming) {
    // Count the tiles the way the server does: complete records.
    std::vector<uint8_t> tiles = readFile(dir.file("test2.tle"));
    uint32_t count = 0;
    for (size_t at = 0; at + 13 <= tiles.size();) {
        const auto w = static_cast<int32_t>(decodeU32(&tiles[at]));
        const auto h = static_cast<int32_t>(decodeU32(&tiles[at + 4]));
        const size_t record = 13 + 4 * static_cast<size_t>(w) * static_cast<size_t>(h);
        if (w <= 0 || h <= 0 || at + record > tiles.size()) break;
        ++count;
        at += record;
    }
    std::vector<uint8_t> map = readFile(dir.file("test2.map"));
    map[24] = static_cast<uint8_t>(count);
    map[25] = static_cast<uint8_t>(count >> 8);
    writeFile(dir.file("test2.map"), map);

    ServerProcess server(dir.path(), {});
    runUntilBannerOrExit(server);
    EXPECT_EQ(server.exitStatus(), 255);
    const std::string& out = server.out();
    EXPECT_EQ(out.substr(out.size() - 20), "fichier non conforme");
}

TEST_F(ServerStartup, TwoFieldDialogueLineIsCorrupt) {
    std::ofstream(dir.file("mairpawn.dlg"), std::ios::app) << "3|Bonjour\n";
    ServerProcess server(dir.path(), {});
    runUntilBannerOrExit(server);
    EXPECT_EQ(server.exitStatus(), 255);
    EXPECT_NE(server.err().find("fichier mairpawn.dlg corrompu!\n"), std::string::npos) << server.err();
}

TEST_F(ServerStartup, FontOfHalfTheGlyphsIsReportedAndTheServerRuns) {
    // Keep the first 128 frames and their boxes.
    std::vector<uint8_t> font = readFile(dir.file("fonte.spr"));
    const size_t w = decodeU16(&font[4]), h = decodeU16(&font[6]);
    const size_t frameBytes = 4 * w * h;
    std::vector<uint8_t> half(font.begin(), font.begin() + 8 + 128 * frameBytes);
    const size_t boxes = 8 + 256 * frameBytes;
    half.insert(half.end(), font.begin() + static_cast<long>(boxes), font.begin() + static_cast<long>(boxes + 128 * 16));
    half[0] = 128;
    half[1] = 0;
    writeFile(dir.file("fonte.spr"), half);

    ServerProcess server(dir.path(), {});
    ASSERT_TRUE(server.waitForOutput(kBanner, kStartMs)) << server.out();
    EXPECT_NE(server.out().find("fichier fonte.sprn'est pas une police valide!\n"), std::string::npos);
    server.signal(SIGINT);
    ASSERT_TRUE(server.waitForExit(kStopMs));
    EXPECT_EQ(server.exitStatus(), 0);
}

TEST_F(ServerStartup, TakenPortIsFatalAndNamesThePort) {
    int blocker = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(kServerPort);
    ASSERT_EQ(bind(blocker, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    ServerProcess server(dir.path(), {});
    runUntilBannerOrExit(server);
    close(blocker);
    EXPECT_EQ(server.exitStatus(), 255);
    EXPECT_NE(server.out().find("5550"), std::string::npos) << server.out();
    EXPECT_EQ(server.out().find(kBanner), std::string::npos);
}

}  // namespace
}  // namespace ocre::test
