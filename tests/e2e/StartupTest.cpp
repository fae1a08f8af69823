#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
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
    void SetUp() override { ASSERT_TRUE(copyDefaultDataSet(dir.path())); }

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
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, "client: localhost\n"}, {{"alpha"}, "client: alpha\n"}, {{"alpha", "beta"}, "client: alpha\nclient: beta\n"}};
    for (const auto& [arguments, expected] : rows) {
        ServerProcess server(dir.path(), arguments);
        runUntilBannerOrExit(server);
        EXPECT_EQ(server.exitStatus(), 0);
        EXPECT_EQ(server.out().rfind(expected + kBanner, 0), 0u) << server.out();
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
        EXPECT_EQ(out.substr(out.size() - std::min(out.size(), expectedEnd.size())), expectedEnd) << out;
        EXPECT_EQ(out.find(kBanner), std::string::npos);
    }
}

TEST_F(ServerStartup, FontOfHalfTheGlyphsIsReportedAndTheServerRuns) {
    // Keep the first 128 frames and their boxes.
    std::vector<uint8_t> font = readFile(dir.file("fonte.spr"));
    const size_t w = decodeU16(&font[4]), h = decodeU16(&font[6]);
    const size_t frameBytes = 4 * w * h;
    std::vector<uint8_t> half(font.begin(), font.begin() + 8 + 128 * frameBytes);
    const size_t boxes = 8 + 256 * frameBytes;
    half.insert(half.end(), font.begin() + static_cast<long>(boxes), font.begin() + static_cast<long>(boxes + 128 * 16));
    half[0] = 128, half[1] = 0;
    writeFile(dir.file("fonte.spr"), half);

    ServerProcess server(dir.path(), {});
    ASSERT_TRUE(server.waitForOutput(kBanner, kStartMs)) << server.out();
    EXPECT_NE(server.out().find("fichier fonte.sprn'est pas une police valide!\n"), std::string::npos);
    server.signal(SIGINT);
    ASSERT_TRUE(server.waitForExit(kStopMs));
    EXPECT_EQ(server.exitStatus(), 0);
}

}  // namespace
}  // namespace ocre::test
